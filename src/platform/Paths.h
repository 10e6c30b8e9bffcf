#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace platform {

// Turns a data-file fragment written with backslashes ("\eg\base_", "\wave\",
// "\rtf\\eng.rtf") into a path below base. Backslashes and slashes both
// separate, empty components are dropped, and a component that does not exist
// with its exact case is matched against the existing entries without regard
// to case, so "\WAVE\" and "\wave\" name the same folder. Components that do
// not exist at all are kept as written.
std::filesystem::path ResolvePath(const std::filesystem::path& base, std::string_view fragment);

// What the program's start decides its folders from, gathered once from the
// process (ThisProcess) or written by a test.
struct TStartPlace {
    std::filesystem::path WorkingDirectory;
    // The working directory has the dictionary's eg and bg folders.
    bool WorkingDirectoryHoldsDictionary = false;
    // The running program's own file.
    std::filesystem::path Executable;
    // HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR, XDG_CACHE_HOME; an unset or empty
    // variable is absent.
    std::map<std::string, std::string> Environment;

    static TStartPlace ThisProcess();
};

// Where the program finds its files and where it keeps its own: made once by
// the program (or a test, or a tool) and handed to every part that opens a
// file. Nothing else asks the process for its working directory.
class TPaths {
public:
    // The wave player streams a recording through this file before playing it.
    static constexpr const char* kPlayFileName = "play.tmp";

    struct TAnswers {
        // The dictionary's eg and bg folders are below it.
        std::filesystem::path Dictionary;
        // The other data folders (wave, rtf, hlp, trans, pictures and
        // sounds); empty: the working directory at the moment of use.
        std::filesystem::path Data;
        // Writable state: the settings file and the program's records.
        std::filesystem::path State;
        // The user's own words: their articles and the index files that
        // list them.
        std::filesystem::path UserWords;
        // The recording's temporary file.
        std::filesystem::path PlayFile;
    };

    // The folder name below the installed prefix's share folder and below
    // each user's data, cache and run-time folders.
    static constexpr const char* kProgramFolder = "englishdictionary";

    explicit TPaths(TAnswers answers, bool installed = false);

    // Started in a folder that holds the dictionary, everything is that
    // folder as FromWorkingDirectory gives it. Otherwise the program is
    // installed: its data is read from <prefix>/share/englishdictionary
    // beside the program's bin folder, and each user's settings and own words
    // are kept in $XDG_DATA_HOME/englishdictionary (~/.local/share/...), the
    // recording's file in $XDG_RUNTIME_DIR/englishdictionary or else the
    // cache folder ($XDG_CACHE_HOME, ~/.cache). A variable that is not an
    // absolute path counts as unset. Without a home folder either, the state
    // answers are empty: nothing of the user's can be kept.
    static TPaths ForStart(const TStartPlace& place);

    // The program started from a data folder: the dictionary, the state and
    // the user's words are the working directory now, and the other data
    // folders follow the working directory whenever one is opened.
    static TPaths FromWorkingDirectory();
    // Everything below folder, the working directory left alone.
    static TPaths Below(const std::filesystem::path& folder);

    const std::filesystem::path& DictionaryDir() const { return answers_.Dictionary; }
    // The base of the other data folders now.
    std::filesystem::path DataDir() const;
    // A data-file fragment ("\hlp\help.htm") resolved below DataDir now.
    std::filesystem::path DataFile(std::string_view fragment) const;
    const std::filesystem::path& StateDir() const { return answers_.State; }
    std::filesystem::path StateFile(std::string_view name) const;
    const std::filesystem::path& UserWordsDir() const { return answers_.UserWords; }
    const std::filesystem::path& PlayFile() const { return answers_.PlayFile; }
    // Installed: the dictionary and data are shared and read-only, the state
    // and the user's words the user's own, apart from them.
    bool Installed() const { return installed_; }

private:
    TAnswers answers_;
    bool installed_ = false;
};

} // namespace platform
