#pragma once

#include "platform/FileError.h"

#include <map>
#include <string>
#include <vector>

namespace dictool {

// The values of "--name VALUE" options and the flags given (with empty
// values) in out; false, after a usage message, for anything else.
bool ParseCommandOptions(const std::vector<std::string>& args,
                         const std::vector<std::string>& options,
                         const std::vector<std::string>& flags,
                         std::map<std::string, std::string>& out);

// Says what is wrong with the command line; returns the usage exit status, 2.
int CommandUsage(const std::string& message);

// A study list that could not be read, said in the tool's words.
std::string StudyListProblem(const platform::TFileError& error);

} // namespace dictool
