#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "dictool/Abbreviations.h"
#include "dictool/ArticleWriter.h"
#include "dictool/Builder.h"
#include "dictool/ExportCommand.h"
#include "dictool/FormsCommands.h"
#include "dictool/FreeDictSource.h"
#include "dictool/LearningCommand.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "dictool/Verify.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "rtf/RtfReader.h"
#include "studylist/StudyListFile.h"
#include "wordforms/WordFormsResolver.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

constexpr const char* kDefaultFreeDictIndex = "/usr/share/dictd/freedict-eng-bul.index";

void PrintHelp(std::ostream& out) {
    out << "Usage: dictool COMMAND ...\n"
           "Builds and inspects the dictionary folders of the English-Bulgarian dictionary.\n"
           "\n"
           "Commands:\n"
           "  build SOURCE... -o DIR [--keep-user-words | --drop-user-words]\n"
           "                           build a complete dictionary folder in DIR (eg/, bg/,\n"
           "                           58 index files, scrambled article files). A SOURCE is\n"
           "                           a dictd .index file (its .dict.dz beside it), the word\n"
           "                           'freedict' for the installed FreeDict English-Bulgarian\n"
           "                           dictionary, or a tab-separated word list (UTF-8):\n"
           "                           head-word, transcription, translations[, part of\n"
           "                           speech[, gloss]]. Transcriptions (IPA) are written\n"
           "                           in the pronunciation key's notation: a British one\n"
           "                           first, an American one after it. When DIR holds\n"
           "                           words the user added, the build refuses unless\n"
           "                           told to keep them in the new indexes or to drop\n"
           "                           them (their articles stay in the user article\n"
           "                           files either way)\n"
           "  lookup [--dir DIR] WORD  print the article that the program shows for WORD\n"
           "                           (UTF-8): the head-word, else the base of a word\n"
           "                           form, else found by shortening the word on its\n"
           "                           letter, with spelling suggestions after the first\n"
           "                           line (\"Did you mean: \")\n"
           "  dump DIR LETTER          list the index of one letter (A..Z or А..Я)\n"
           "  verify DIR               check a dictionary folder and say what is wrong;\n"
           "                           notes (which do not fail it) tell of files and\n"
           "                           bytes that interrupted saves left behind\n"
           "  wordlist SOURCE --dir DIR -o OUT\n"
           "                           write a study list: SOURCE holds one word per line\n"
           "                           (UTF-8); OUT gets them in code page 1251 with CR LF.\n"
           "                           Every word must be a head-word of DIR exactly\n"
           "  abbreviations --dir DIR [--key FILE]\n"
           "                           list the abbreviations the articles of DIR show, with\n"
           "                           the number of articles that show each. With --key,\n"
           "                           check that the abbreviation key FILE (RTF, one entry\n"
           "                           a paragraph: abbreviation, \" \u2014 \", meaning) explains\n"
           "                           all of them and every part-of-speech label dictool\n"
           "                           writes\n"
           "  page SOURCE -o OUT       write an RTF page for the program: SOURCE is RTF\n"
           "                           written in UTF-8; OUT gets every character above\n"
           "                           ASCII escaped. Fails unless OUT is one complete RTF\n"
           "                           document\n"
           "  export --dir DIR --list LIST -o OUT.apkg|OUT.tsv [--replace]\n"
           "                           write the study list LIST for flash-card programs:\n"
           "                           an Anki package (a note per head-word with its\n"
           "                           transcription, translation and pronunciation, two\n"
           "                           cards each) or the same fields as UTF-8 text.\n"
           "                           Entries that are not head-words of DIR are named\n"
           "                           and left out; OUT is replaced only with --replace\n"
           "  learning --dir STATE [--list LIST]\n"
           "                           print every word of the learning record in STATE\n"
           "                           (answers, stability, difficulty, last review, due\n"
           "                           date), then the words due now and, with LIST, its\n"
           "                           new words up to the daily limit\n";
    out << dictool::kFormsHelp;
    out << "  --help                   show this text\n"
           "\n"
           "Exit status: 0 success, 1 failure (not found, problems found, unreadable data),\n"
           "2 wrong usage.\n";
}

int Usage(const std::string& message) {
    std::cerr << "dictool: " << message << "\nTry 'dictool --help'.\n";
    return kUsage;
}

// A text file read whole, refusing anything but a regular file of a sane
// size; false after the message.
bool ReadTextFile(const std::string& path, std::string& text) {
    if (const int failure =
            platform::ReadWholeFile(path, text, dictool::kMaxSourceFileBytes).Errno();
        failure != 0) {
        std::cerr << "dictool: cannot read " << path << ": " << platform::FileErrorText(failure)
                  << "\n";
        return false;
    }
    return true;
}

std::vector<dictool::SourceEntry> ReadSource(const std::string& source, std::string& attribution) {
    std::string indexPath = source == "freedict" ? kDefaultFreeDictIndex : source;
    if (indexPath.ends_with(".index")) {
        const std::string stem = indexPath.substr(0, indexPath.size() - 6);
        const std::string dictPath =
            std::filesystem::exists(stem + ".dict.dz") ? stem + ".dict.dz" : stem + ".dict";
        dictool::FreeDictData data = dictool::ReadFreeDict(indexPath, dictPath);
        attribution += "Source: " + indexPath + "\n\n" + data.Info + "\n";
        return std::move(data.Entries);
    }
    return dictool::ReadTsv(indexPath);
}

// A command's arguments: the values of its options ("-o DIR"), the flags
// given ("--keep-user-words") and the rest.
struct Arguments {
    std::map<std::string, std::string> Options;
    std::set<std::string> Flags;
    std::vector<std::string> Positional;
};

// Nothing (after a usage message) when an option lacks its value.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        std::initializer_list<const char*> options,
                                        std::initializer_list<const char*> flags = {}) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto is = [&](std::initializer_list<const char*> names) {
            return std::any_of(names.begin(), names.end(),
                               [&](const char* name) { return args[i] == name; });
        };
        if (is(flags)) {
            parsed.Flags.insert(args[i]);
        } else if (!is(options)) {
            parsed.Positional.push_back(args[i]);
        } else if (i + 1 < args.size()) {
            parsed.Options[args[i]] = args[i + 1];
            ++i;
        } else {
            Usage(args[i] + " needs a value");
            return std::nullopt;
        }
    }
    return parsed;
}

// False (after saying why) when the folder holds no dictionary at all.
bool LoadIndex(const std::string& dir, dictionary::DictionaryIndex& index) {
    const auto report = index.Load(dir);
    if (report.NoDictionary()) {
        std::cerr << "dictool: " << report.Message() << "\n";
        return false;
    }
    return true;
}

int Build(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"-o"}, {"--keep-user-words", "--drop-user-words"});
    if (!parsed) {
        return kUsage;
    }
    const std::vector<std::string>& sources = parsed->Positional;
    const std::string outDir = parsed->Options.contains("-o") ? parsed->Options.at("-o") : "";
    if (sources.empty() || outDir.empty()) {
        return Usage("build needs at least one SOURCE and -o DIR");
    }
    const bool keep = parsed->Flags.contains("--keep-user-words");
    const bool drop = parsed->Flags.contains("--drop-user-words");
    if (keep && drop) {
        return Usage("--keep-user-words and --drop-user-words exclude each other");
    }
    std::error_code ec;
    if (std::filesystem::exists(outDir, ec) && !std::filesystem::is_directory(outDir, ec)) {
        std::cerr << "dictool: " << outDir << " is not a folder\n";
        return kFailure;
    }
    std::vector<dictool::SourceEntry> entries;
    std::string attribution;
    for (const std::string& source : sources) {
        auto more = ReadSource(source, attribution);
        if (more.empty()) {
            std::cerr << "dictool: " << source << " holds no entries; nothing was built\n";
            return kFailure;
        }
        entries.insert(entries.end(), std::make_move_iterator(more.begin()),
                       std::make_move_iterator(more.end()));
    }
    dictool::Transcriber transcriber;
    dictool::BuildReport report;
    try {
        report = dictool::BuildDictionary(entries, outDir, transcriber,
                                          keep   ? dictool::UserWords::Keep
                                          : drop ? dictool::UserWords::Drop
                                                 : dictool::UserWords::Refuse);
    } catch (const dictool::UserWordsFound& found) {
        std::cerr << "dictool: " << found.what()
                  << ".\nNothing was built. Add --keep-user-words to keep them in the new "
                     "indexes, or --drop-user-words to leave them out.\n";
        return kFailure;
    }
    if (!attribution.empty()) {
        const std::string notice =
            "The dictionary content of this folder was built from the sources below.\n"
            "Their licences apply to it (FreeDict: Creative Commons Attribution-ShareAlike "
            "3.0 Unported).\n\n" +
            attribution;
        const auto path = std::filesystem::path(outDir) / "SOURCES.txt";
        const platform::TFileResult written = platform::WriteFileAtomically(path, notice);
        if (!written.Ok()) {
            std::cerr << "dictool: cannot write " << path.string() << ": "
                      << platform::FileErrorText(written.Errno()) << "\n";
            return kFailure;
        }
    }
    std::cout << "Built " << outDir << " from " << report.SourceEntries
              << " entries: " << report.EnglishHeadWords << " English and "
              << report.BulgarianHeadWords << " Bulgarian head-words";
    if (report.GeneratedTranscriptions > 0) {
        std::cout << ", " << report.GeneratedTranscriptions << " transcriptions generated";
    }
    std::cout << ".\n";
    if (report.KeptUserWords > 0) {
        std::cout << report.KeptUserWords << (report.KeptUserWords == 1 ? " word" : " words")
                  << " of the user's own dictionary kept.\n";
    }
    if (report.DroppedUserWords > 0) {
        std::cout << report.DroppedUserWords << (report.DroppedUserWords == 1 ? " word" : " words")
                  << " of the user's own dictionary left out of the indexes.\n";
    }
    if (!report.Skipped.empty()) {
        std::cout << report.Skipped.size() << " source head-words left out:\n";
        for (const std::string& line : report.Skipped) {
            std::cout << "  " << line << "\n";
        }
    }
    if (report.SkippedTranslations > 0) {
        std::cout << report.SkippedTranslations
                  << " translations give no Bulgarian head-word (no Cyrillic first letter, "
                     "longer than 101 characters, or outside code page 1251).\n";
    }
    return kOk;
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return Usage("dump needs DIR and LETTER");
    }
    const auto letter = platform::Utf8ToCp1251(args[1]);
    const int tab = letter && letter->size() == 1 ? dictionary::TabOfWord(*letter) : -1;
    const bool isLetter = letter && letter->size() == 1 &&
                          (std::isalpha(static_cast<unsigned char>((*letter)[0])) ||
                           static_cast<unsigned char>((*letter)[0]) >= 0xC0);
    if (!dictionary::IsValidTab(tab) || !isLetter) {
        return Usage("LETTER must be one of A..Z or А..Я");
    }
    dictionary::DictionaryIndex index;
    if (!LoadIndex(args[0], index)) {
        return kFailure;
    }
    const auto& letterIndex = index.Letter(tab);
    std::cout << "# position\thead-word\toffset\tsize\tbase";
    if (dictionary::IsEnglishTab(tab)) {
        std::cout << "\tsound";
    }
    std::cout << "\n";
    for (std::size_t p = 0; p < letterIndex.Size(); ++p) {
        const dictionary::TArticleRef& article = letterIndex.Article(p);
        std::cout << p << '\t' << platform::Cp1251ToUtf8(letterIndex.HeadWord(p)) << '\t'
                  << article.ArticleOffset << '\t' << article.ArticleSize << '\t'
                  << static_cast<int>(article.IsBase);
        if (dictionary::IsEnglishTab(tab)) {
            std::cout << '\t' << letterIndex.SoundNumber(p);
        }
        std::cout << '\n';
    }
    return kOk;
}

// What an article read found wrong, naming the file.
std::string ArticleProblem(const dictionary::TArticleRead& read,
                           const dictionary::IndexRecord& record) {
    const std::string where = "the article of \"" + platform::Cp1251ToUtf8(record.HeadWord()) +
                              "\" (offset " + std::to_string(record.ArticleOffset) + ", size " +
                              std::to_string(record.ArticleSize) + ")";
    const std::string file = "\"" + read.File.string() + "\"";
    switch (read.Fault) {
    case dictionary::TArticleFault::NoPlace:
        return "Index file " + file + " gives no place for " + where + ".";
    case dictionary::TArticleFault::CannotOpen:
        return "Cannot open file " + file + ". " + platform::FileErrorText(read.Errno) + ".";
    case dictionary::TArticleFault::EndsBefore:
        return "File " + file + " ends before " + where + ".";
    case dictionary::TArticleFault::EndsWithin:
        return "File " + file + " ends before the end of " + where + ".";
    case dictionary::TArticleFault::None:
        break;
    }
    return {};
}

int Lookup(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"--dir"});
    if (!parsed) {
        return kUsage;
    }
    const std::string dir = parsed->Options.contains("--dir") ? parsed->Options.at("--dir") : ".";
    const std::vector<std::string>& words = parsed->Positional;
    if (words.size() != 1) {
        return Usage("lookup needs one WORD");
    }
    const auto word = platform::FoldUtf8ToCp1251(words[0]);
    if (!word) {
        std::cerr << "dictool: \"" << words[0]
                  << "\" cannot be written in code page 1251, so no head-word holds it\n";
        return kFailure;
    }
    dictionary::DictionaryIndex index;
    if (!LoadIndex(dir, index)) {
        return kFailure;
    }
    // The look-up of copied text, word forms and suggestions included.
    wordforms::TWordFormsResolver forms(dir, index);
    dictionary::TLookupService service(index);
    service.SetResolver(&forms);
    const auto found = service.FindText(*word);
    if (found && found->Fault) {
        std::cerr << "dictool: " << forms.Forms().Problem()->Message() << "\n";
    }
    if (!found) {
        std::cerr << "dictool: \"" << words[0]
                  << "\" does not start with a letter of the dictionary\n";
        return kFailure;
    }
    if (found->Position < 0) {
        std::cerr << "dictool: no head-word of letter "
                  << platform::Cp1251ToUtf8(std::string(1, dictionary::TabCaption(found->Tab)))
                  << " begins with \"" << words[0] << "\" or any beginning of it\n";
        return kFailure;
    }
    const auto record = index.Letter(found->Tab).Record(static_cast<std::size_t>(found->Position));
    const dictionary::TArticleRead read = *service.ReadArticleChecked(found->Tab, found->Position);
    if (read.Fault != dictionary::TArticleFault::None) {
        std::cerr << "dictool: " << ArticleProblem(read, record) << "\n";
        return kFailure;
    }
    std::string article = rtf::RtfToPlainText(read.Bytes);
    if (!found->Suggestions.empty()) {
        std::string line = "Did you mean: ";
        for (std::size_t i = 0; i < found->Suggestions.size(); ++i) {
            line += (i == 0 ? "" : ", ") + platform::Cp1251ToUtf8(found->Suggestions[i]);
        }
        const std::size_t end = article.find('\n');
        article.insert(end == std::string::npos ? article.size() : end + 1,
                       end == std::string::npos ? "\n" + line + "\n" : line + "\n");
    }
    std::cout << article;
    return kOk;
}

int Verify(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return Usage("verify needs DIR");
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(args[0], ec)) {
        std::cerr << "dictool: " << args[0]
                  << (std::filesystem::exists(args[0], ec) ? " is not a folder\n"
                                                           : ": no such folder\n");
        return kFailure;
    }
    dictool::VerifyReport report = dictool::VerifyDictionary(args[0]);
    const dictool::FormsVerifyReport forms = dictool::VerifyWordForms(args[0]);
    report.Problems.insert(report.Problems.end(), forms.Problems.begin(), forms.Problems.end());
    if (!forms.Summary.empty()) {
        std::cout << forms.Summary << "\n";
    }
    for (const std::string& problem : report.Problems) {
        std::cout << problem << "\n";
    }
    for (const std::string& note : report.Notes) {
        std::cout << "note: " << note << "\n";
    }
    if (!report.Problems.empty()) {
        std::cout << args[0] << ": problems found (" << report.Records << " records read).\n";
        return kFailure;
    }
    std::cout << args[0] << ": 58 index files, " << report.Records
              << " records, every article a complete RTF document.\n";
    return kOk;
}

int WordList(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"--dir", "-o"});
    if (!parsed) {
        return kUsage;
    }
    if (parsed->Positional.size() > 1) {
        return Usage("wordlist takes one SOURCE");
    }
    const std::string source = parsed->Positional.empty() ? "" : parsed->Positional[0];
    const std::string dir = parsed->Options.contains("--dir") ? parsed->Options.at("--dir") : "";
    const std::string out = parsed->Options.contains("-o") ? parsed->Options.at("-o") : "";
    if (source.empty() || dir.empty() || out.empty()) {
        return Usage("wordlist needs SOURCE, --dir DIR and -o OUT");
    }
    std::string text;
    if (!ReadTextFile(source, text)) {
        return kFailure;
    }
    std::istringstream in(text);
    dictionary::DictionaryIndex index;
    if (!LoadIndex(dir, index)) {
        return kFailure;
    }
    const dictionary::TLookupService service(index);
    std::vector<std::string> words;
    std::vector<std::string> missing;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        const auto word = platform::Utf8ToCp1251(line);
        const int tab = word ? dictionary::TabOfWord(*word) : dictionary::kNoTab;
        const bool known = word && service.FindHeadWord(tab, *word) >= 0;
        if (!known) {
            missing.push_back(line);
            continue;
        }
        words.push_back(*word);
    }
    if (!missing.empty()) {
        std::cerr << "dictool: " << missing.size() << " words of " << source
                  << " are not head-words of " << dir << ":";
        for (const std::string& word : missing) {
            std::cerr << " " << word;
        }
        std::cerr << "\n";
        return kFailure;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), ec);
    if (const platform::TFileResult written = studylist::WriteStudyListFile(out, words);
        !written.Ok()) {
        std::cerr << "dictool: cannot write " << out << ": "
                  << platform::FileErrorText(written.Errno()) << "\n";
        return kFailure;
    }
    std::cout << "Wrote " << words.size() << " words to " << out << ".\n";
    return kOk;
}

int Abbreviations(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"--dir", "--key"});
    if (!parsed) {
        return kUsage;
    }
    const std::string dir = parsed->Options.contains("--dir") ? parsed->Options.at("--dir") : "";
    if (dir.empty() || !parsed->Positional.empty()) {
        return Usage("abbreviations needs --dir DIR and takes no other arguments");
    }
    dictionary::DictionaryIndex index;
    if (!LoadIndex(dir, index)) {
        return kFailure;
    }
    const auto used = dictool::UsedAbbreviations(index);
    if (!parsed->Options.contains("--key")) {
        for (const auto& [label, count] : used) {
            std::cout << label << '\t' << count << '\n';
        }
        return kOk;
    }
    const std::string keyPath = parsed->Options.at("--key");
    std::string keyRtf;
    if (!ReadTextFile(keyPath, keyRtf)) {
        return kFailure;
    }
    auto required = used;
    for (const std::string& label : dictool::PartOfSpeechLabels()) {
        required.try_emplace(label, 0);
    }
    const auto missing =
        dictool::UnexplainedAbbreviations(required, dictool::KeyAbbreviations(keyRtf));
    if (!missing.empty()) {
        std::cerr << "dictool: " << keyPath << " does not explain " << missing.size()
                  << " abbreviations:";
        for (const std::string& label : missing) {
            std::cerr << " \"" << label << "\" (" << required.at(label) << " articles)";
        }
        std::cerr << "\n";
        return kFailure;
    }
    std::cout << keyPath << " explains all " << required.size() << " abbreviations (" << used.size()
              << " used in " << dir << ").\n";
    return kOk;
}

int Page(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"-o"});
    if (!parsed) {
        return kUsage;
    }
    const std::string out = parsed->Options.contains("-o") ? parsed->Options.at("-o") : "";
    if (parsed->Positional.size() != 1 || out.empty()) {
        return Usage("page needs one SOURCE and -o OUT");
    }
    const std::string& source = parsed->Positional[0];
    std::string text;
    if (!ReadTextFile(source, text)) {
        return kFailure;
    }
    std::string page;
    try {
        page = dictool::EscapeRtfPage(text);
    } catch (const std::runtime_error& e) {
        std::cerr << "dictool: " << source << ": " << e.what() << "\n";
        return kFailure;
    }
    const auto length = rtf::RtfDocumentLength(page);
    if (!length || page.find_first_not_of(" \t\r\n", *length) != std::string::npos) {
        std::cerr << "dictool: " << source << " is not one complete RTF document\n";
        return kFailure;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), ec);
    if (const auto written = platform::WriteFileAtomically(out, page); !written.Ok()) {
        std::cerr << "dictool: cannot write " << out << ": "
                  << platform::FileErrorText(written.Errno()) << "\n";
        return kFailure;
    }
    return kOk;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        return Usage("no command given");
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        PrintHelp(std::cout);
        return kOk;
    }
    if (command == "build") {
        return Build(args);
    }
    if (command == "dump") {
        return Dump(args);
    }
    if (command == "lookup") {
        return Lookup(args);
    }
    if (command == "verify") {
        return Verify(args);
    }
    if (command == "wordlist") {
        return WordList(args);
    }
    if (command == "abbreviations") {
        return Abbreviations(args);
    }
    if (command == "page") {
        return Page(args);
    }
    if (command == "forms") {
        return dictool::RunForms(args);
    }
    if (command == "measure") {
        return dictool::RunMeasure(args);
    }
    if (command == "export") {
        return dictool::ExportCommand(args);
    }
    if (command == "learning") {
        return dictool::LearningCommand(args);
    }
    return Usage("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "dictool: not enough memory\n";
        return kFailure;
    } catch (const std::exception& e) {
        std::cerr << "dictool: " << e.what() << "\n";
        return kFailure;
    }
}
