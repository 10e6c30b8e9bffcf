#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Shared by the wave-layer tests and the sound component tests, which run on
// SDL's disk driver.
namespace audiotest {

// A folder of its own for each test run: the player's file and the disk
// driver's files are made there.
const std::string& WorkDir();

// Puts SDL on its disk driver, whose files the tests place in the work
// folder; false when the folder could not be made. RemoveWorkDir removes it.
bool PrepareWorkDir();
void RemoveWorkDir();

std::vector<std::uint8_t> Ramp16(std::size_t samples, std::int16_t first, std::int16_t step);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::string& path);

// What WaitFor runs between checks; a program with an event loop sets it to
// process its events. By default it sleeps briefly.
void SetEventPump(std::function<void()> pump);

// Runs the event pump until done() or the timeout; returns done().
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

// The disk driver writes silence before the first buffer arrives: the offset
// of the first non-zero 16-bit sample.
std::size_t FirstSound16(const std::vector<std::uint8_t>& bytes);

} // namespace audiotest
