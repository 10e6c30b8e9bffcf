#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace audiotest {

// A folder of its own for each test run: play.tmp and the disk driver's
// files are made there.
const std::string& WorkDir();

std::vector<std::uint8_t> Ramp16(std::size_t samples, std::int16_t first, std::int16_t step);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::string& path);

// Runs the event loop until done() or the timeout; returns done().
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

// The disk driver writes silence before the first buffer arrives: the offset
// of the first non-zero 16-bit sample.
std::size_t FirstSound16(const std::vector<std::uint8_t>& bytes);

} // namespace audiotest
