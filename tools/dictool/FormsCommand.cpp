#include "dictionary/LetterIndex.h"
#include "dictool/FormsBuild.h"
#include "dictool/FormsCommands.h"
#include "platform/FileIo.h"
#include "wordforms/WordForms.h"

#include <iostream>
#include <map>

namespace dictool {

namespace fs = std::filesystem;

const char* const kFormsHelp =
    "  forms DIR --en-forms FILE --bg-forms FILE --bg-frequency FILE\n"
    "        [--hunspell DIR] [--wordnet DIR] [--scowl DIR]\n"
    "                           build the word-form index and the word frequency of\n"
    "                           the dictionary in DIR into DIR/forms: FILEs of forms are\n"
    "                           hunspell's unmunch of en_US and bg_BG, the frequency\n"
    "                           FILE a Bulgarian word list by falling frequency; the\n"
    "                           dictionaries, WordNet and SCOWL are read from their\n"
    "                           Debian folders unless given\n"
    "  measure --dir DIR [--misses] SET...\n"
    "                           for each SET (UTF-8, a line: word, tab, the head-word\n"
    "                           whose article is right), the share whose look-up finds\n"
    "                           the right article by the rule without word forms and\n"
    "                           with them, and how often the right head-word is the\n"
    "                           first, or among the first 5 or 8, spelling suggestions;\n"
    "                           --misses lists the words it gets wrong on stderr\n";

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

int Usage(const std::string& message) {
    std::cerr << "dictool: " << message << "\nTry 'dictool --help'.\n";
    return kUsage;
}

} // namespace

int RunForms(const std::vector<std::string>& args) {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with("--")) {
            if (i + 1 >= args.size()) {
                return Usage(args[i] + " needs a value");
            }
            options[args[i]] = args[i + 1];
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    FormsSources sources;
    const std::map<std::string, fs::path*> known = {{"--en-forms", &sources.EnglishForms},
                                                    {"--bg-forms", &sources.BulgarianForms},
                                                    {"--bg-frequency", &sources.BulgarianFrequency},
                                                    {"--hunspell", &sources.HunspellDir},
                                                    {"--wordnet", &sources.WordNetDir},
                                                    {"--scowl", &sources.ScowlDir}};
    for (const auto& [name, value] : options) {
        if (!known.contains(name)) {
            return Usage("forms does not know " + name);
        }
        *known.at(name) = value;
    }
    if (positional.size() != 1 || sources.EnglishForms.empty() || sources.BulgarianForms.empty() ||
        sources.BulgarianFrequency.empty()) {
        return Usage("forms needs DIR, --en-forms FILE, --bg-forms FILE and --bg-frequency FILE");
    }
    dictionary::DictionaryIndex index;
    const auto loaded = index.Load(positional[0]);
    if (loaded.NoDictionary()) {
        std::cerr << "dictool: " << loaded.Message() << "\n";
        return kFailure;
    }
    const FormsReport report = BuildWordForms(index, positional[0], sources);
    for (const std::string& warning : report.Warnings) {
        std::cerr << "dictool: warning: " << warning << "\n";
    }
    std::cout << "Word forms of " << positional[0] << ": " << report.Irregular
              << " irregular English forms, " << report.EnglishStems << " English and "
              << report.BulgarianStems << " Bulgarian stem readings; word frequency of "
              << report.EnglishFrequencies << " English and " << report.BulgarianFrequencies
              << " Bulgarian head-words.\n";
    return kOk;
}

FormsVerifyReport VerifyWordForms(const fs::path& dir) {
    FormsVerifyReport report;
    const fs::path forms = wordforms::FormIndexPath(dir);
    const fs::path frequency = wordforms::FrequencyPath(dir);
    std::error_code ec;
    if (!fs::exists(forms, ec) && !fs::exists(frequency, ec)) {
        report.Summary = "No word-form files (" + forms.string() + ", " + frequency.string() +
                         "): look-ups go without word forms and suggestions.";
        return report;
    }
    std::size_t records[2] = {0, 0};
    const wordforms::TTableKind kinds[2] = {wordforms::TTableKind::Forms,
                                            wordforms::TTableKind::Frequency};
    const fs::path paths[2] = {forms, frequency};
    for (int i = 0; i < 2; ++i) {
        std::optional<wordforms::TLoadProblem> problem;
        if (const auto table = wordforms::ReadFormTable(paths[i], kinds[i], problem)) {
            records[i] = table->Size();
        } else {
            report.Problems.push_back(problem->Message());
        }
    }
    if (report.Problems.empty()) {
        report.Summary = "Word forms: " + std::to_string(records[0]) + " form readings, " +
                         std::to_string(records[1]) + " word frequencies, both files intact.";
    }
    return report;
}

} // namespace dictool
