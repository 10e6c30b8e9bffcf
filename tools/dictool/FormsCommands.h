#pragma once

#include <filesystem>
#include <string>
#include <vector>

// dictool's word-form commands, each in a file of its own; they return the
// exit status (0 success, 1 failure, 2 wrong usage) after saying what they did.
namespace dictool {

// dictool forms DIR --en-forms FILE --bg-forms FILE --bg-frequency FILE
//                   [--hunspell DIR] [--wordnet DIR] [--scowl DIR]
int RunForms(const std::vector<std::string>& args);

// dictool measure --dir DIR SET...: the share of each set's words whose look-up
// finds the right article, by today's rule and with word forms.
int RunMeasure(const std::vector<std::string>& args);

// What dictool verify says of the word-form files of a folder.
struct FormsVerifyReport {
    std::vector<std::string> Problems; // one line each
    std::string Summary;               // one line: what the files hold, or that there are none
};
FormsVerifyReport VerifyWordForms(const std::filesystem::path& dir);

// The help lines of these commands.
extern const char* const kFormsHelp;

} // namespace dictool
