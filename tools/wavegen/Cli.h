#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace wavegen {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // some or all files could not be made
constexpr int kExitUsage = 2;

// The command line without the program name; progress and errors go to err,
// the closing summary to out.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal);

} // namespace wavegen
