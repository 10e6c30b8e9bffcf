#include "dictool/ExportCommand.h"

#include "dictionary/LetterIndex.h"
#include "dictool/CommandOptions.h"
#include "export/DictionaryWords.h"
#include "export/Export.h"
#include "learning/Answer.h"
#include "platform/Cp1251.h"
#include "studylist/StudyListFile.h"

#include <iostream>
#include <map>

namespace dictool {

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

std::string ListOfWords(const std::vector<std::string>& entries) {
    std::string words;
    for (const std::string& entry : entries) {
        words += " \"" + platform::Cp1251ToUtf8(entry) + "\"";
    }
    return words;
}

} // namespace

int ExportCommand(const std::vector<std::string>& args) {
    std::map<std::string, std::string> options;
    if (!ParseCommandOptions(args, {"--dir", "--list", "-o"}, {"--replace"}, options)) {
        return kUsage;
    }
    if (!options.contains("--dir") || !options.contains("--list") || !options.contains("-o")) {
        return CommandUsage("export needs --dir DIR, --list LIST and -o OUT.apkg or OUT.tsv");
    }
    const std::filesystem::path out = options["-o"];
    if (out.extension() != ".apkg" && out.extension() != ".tsv") {
        return CommandUsage(
            "the output must end in .apkg (an Anki package) or .tsv (tab-separated text)");
    }
    std::vector<std::string> entries;
    if (const auto read = studylist::ReadStudyListFile(options["--list"], entries); !read.Ok()) {
        std::cerr << "dictool: " << StudyListProblem(read.Error()) << "\n";
        return kFailure;
    }
    dictionary::DictionaryIndex index;
    if (index.Load(options["--dir"]).NoDictionary()) {
        std::cerr << "dictool: " << options["--dir"] << " holds no dictionary\n";
        return kFailure;
    }
    const dictionary::TLookupService lookup(index);
    const exporting::TDictionaryWords words(lookup, options["--dir"]);
    exporting::TExportOptions exportOptions;
    exportOptions.Replace = options.contains("--replace");
    exportOptions.DeckName = std::filesystem::path(options["--list"]).filename().string();
    exportOptions.NowMs = learning::ToMs(learning::Now());
    const exporting::TExportResult result =
        out.extension() == ".apkg"
            ? exporting::ExportAnkiPackage(entries, words, out, exportOptions)
            : exporting::ExportTabSeparated(entries, words, out, exportOptions);
    if (!result.LeftOut.empty()) {
        std::cerr << "dictool: " << result.LeftOut.size()
                  << " entries are not head-words and were left out:" << ListOfWords(result.LeftOut)
                  << "\n";
    }
    switch (result.Status) {
    case exporting::TExportStatus::Written:
        std::cout << "Wrote " << result.Notes << " words (" << result.Sounds
                  << " with pronunciations) to " << out.string() << ".\n";
        return kOk;
    case exporting::TExportStatus::Exists:
        std::cerr << "dictool: " << out.string()
                  << " exists; nothing was written. Add --replace to replace it.\n";
        return kFailure;
    case exporting::TExportStatus::NothingToWrite:
        std::cerr << "dictool: no entry of " << options["--list"]
                  << " is a head-word; nothing was written\n";
        return kFailure;
    case exporting::TExportStatus::Unwritable:
        break;
    }
    std::cerr << "dictool: cannot write " << out.string() << ": " << result.Detail << "\n";
    return kFailure;
}

} // namespace dictool
