#include "dictool/CommandOptions.h"

#include <algorithm>
#include <iostream>

namespace dictool {

int CommandUsage(const std::string& message) {
    std::cerr << "dictool: " << message << "\nTry 'dictool --help'.\n";
    return 2;
}

bool ParseCommandOptions(const std::vector<std::string>& args,
                         const std::vector<std::string>& options,
                         const std::vector<std::string>& flags,
                         std::map<std::string, std::string>& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isOption = std::find(options.begin(), options.end(), args[i]) != options.end();
        if (std::find(flags.begin(), flags.end(), args[i]) != flags.end()) {
            out[args[i]] = "";
        } else if (isOption && i + 1 < args.size()) {
            out[args[i]] = args[i + 1];
            ++i;
        } else {
            CommandUsage(isOption ? args[i] + " needs a value"
                                  : "unexpected argument '" + args[i] + "'");
            return false;
        }
    }
    return true;
}

std::string StudyListProblem(const platform::TFileError& error) {
    std::string text = "cannot read the study list " + error.File.string() + ": ";
    if (error.Fault == platform::TFileFault::LineTooLong) {
        return text + "line " + std::to_string(error.Line) + " holds " +
               std::to_string(error.Length) + " characters; a word has at most " +
               std::to_string(error.Limit);
    }
    if (error.Fault == platform::TFileFault::NotInCodePage) {
        return text + "line " + std::to_string(error.Line) +
               " holds a character that code page 1251 does not have";
    }
    return text + platform::FileErrorText(error.Errno);
}

} // namespace dictool
