// The dictool program as a user runs it: every failure is a message and a
// non-zero exit, and rebuilding a folder never loses the user's own words
// unless told to.
#include "dictionary/LetterIndex.h"
#include "studylist/UserDictionary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kWords = "hot\thɒt\tгорещ\tadj\n"
                               "house\thaʊs\tкъща, дом\tn\thuman abode\n"
                               "walk\twɔːk\tразходка\tn\n";
constexpr const char* kUserArticle = "{\\rtf1\\ansi hotdog \\'e4\\'ee\\'ec\\par}";

struct Outcome {
    int Exit = -1;
    std::string Output; // standard output and error together
    std::size_t Lines() const {
        return static_cast<std::size_t>(std::count(Output.begin(), Output.end(), '\n'));
    }
};

class DictoolCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dictoolcli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "words.tsv", std::ios::binary) << kWords;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs dictool with the arguments (quoted here); a run that takes more
    // than ten seconds is stopped.
    static Outcome Dictool(const std::vector<std::string>& args) {
        std::string command = "timeout 10 '" DICTOOL_PATH "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " 2>&1";
        Outcome outcome;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            outcome.Output.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        outcome.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }

    std::string Data() const { return (dir_ / "data").string(); }
    std::string Tsv() const { return (dir_ / "words.tsv").string(); }

    Outcome BuildData(const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {"build", Tsv(), "-o", Data()};
        args.insert(args.end(), more.begin(), more.end());
        return Dictool(args);
    }

    std::vector<std::string> HWords() const {
        dictionary::DictionaryIndex index;
        index.Load(Data());
        const auto& words = index.Letter('H' - 'A').HeadWords();
        return {words.begin(), words.end()};
    }

    fs::path dir_;
};

TEST_F(DictoolCliTest, BuildRefusesSourcesThatAreNoReadableWordLists) {
    fs::create_directory(dir_ / "folder");
    Outcome folder = Dictool({"build", (dir_ / "folder").string(), "-o", Data()});
    EXPECT_NE(folder.Exit, 0) << folder.Output;
    EXPECT_NE(folder.Output.find("folder, not a file"), std::string::npos) << folder.Output;
    EXPECT_FALSE(fs::exists(Data())) << "nothing written";

    Outcome missing = Dictool({"build", (dir_ / "missing.tsv").string(), "-o", Data()});
    EXPECT_NE(missing.Exit, 0);
    EXPECT_NE(missing.Output.find("missing.tsv"), std::string::npos) << missing.Output;

    ASSERT_EQ(::mkfifo((dir_ / "pipe.tsv").c_str(), 0644), 0);
    Outcome pipe = Dictool({"build", (dir_ / "pipe.tsv").string(), "-o", Data()});
    EXPECT_EQ(pipe.Exit, 1) << "refused at once, not stopped by the time-out: " << pipe.Output;
    EXPECT_NE(pipe.Output.find("named pipe"), std::string::npos) << pipe.Output;

    std::ofstream(dir_ / "empty.tsv") << "# nothing but a comment\n";
    Outcome empty = Dictool({"build", (dir_ / "empty.tsv").string(), "-o", Data()});
    EXPECT_NE(empty.Exit, 0);
    EXPECT_NE(empty.Output.find("no entries"), std::string::npos) << empty.Output;
    EXPECT_FALSE(fs::exists(Data()));
}

TEST_F(DictoolCliTest, RebuildingOverUserWordsNeedsToBeToldToKeepOrDropThem) {
    ASSERT_EQ(BuildData().Exit, 0);
    {
        dictionary::DictionaryIndex index;
        index.Load(Data());
        studylist::TUserDictionary user(index);
        studylist::TSavedWord saved;
        ASSERT_TRUE(user.Save("hotdog", kUserArticle, saved).Ok());
    }
    const std::vector<std::string> withUserWord = {"hot", "hotdog", "house"};
    ASSERT_EQ(HWords(), withUserWord);

    Outcome refused = BuildData();
    EXPECT_NE(refused.Exit, 0);
    EXPECT_NE(refused.Output.find("hotdog"), std::string::npos) << refused.Output;
    EXPECT_NE(refused.Output.find("--keep-user-words"), std::string::npos) << refused.Output;
    EXPECT_EQ(HWords(), withUserWord) << "nothing written";

    Outcome kept = BuildData({"--keep-user-words"});
    EXPECT_EQ(kept.Exit, 0) << kept.Output;
    EXPECT_EQ(HWords(), withUserWord);
    Outcome lookup = Dictool({"lookup", "--dir", Data(), "hotdog"});
    EXPECT_EQ(lookup.Exit, 0) << lookup.Output;
    EXPECT_NE(lookup.Output.find("hotdog дом"), std::string::npos) << lookup.Output;
    EXPECT_EQ(Dictool({"verify", Data()}).Exit, 0);

    Outcome dropped = BuildData({"--drop-user-words"});
    EXPECT_EQ(dropped.Exit, 0) << dropped.Output;
    EXPECT_EQ(HWords(), (std::vector<std::string>{"hot", "house"}));
    EXPECT_NE(BuildData({"--keep-user-words", "--drop-user-words"}).Exit, 0);
}

// A process id that no process has any more.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST_F(DictoolCliTest, LeftoversOfInterruptedSavesAreReportedAndTheNextSaveRemovesThem) {
    ASSERT_EQ(BuildData().Exit, 0);
    const fs::path eg = dir_ / "data" / "eg";
    // Named as a killed save names its copy of the index: the target, the
    // writer's process id, a serial and a time stamp.
    const std::string stale = ".base_h.dak." + std::to_string(EndedProcess()) + ".0.417.tmp";
    const std::string running = ".base_h.dak." + std::to_string(::getpid()) + ".0.418.tmp";
    std::ofstream(eg / stale, std::ios::binary) << std::string(1000, 'x');
    std::ofstream(eg / running, std::ios::binary) << std::string(10, 'x');
    // An article appended by a save that was killed before the index listed it.
    std::ofstream(eg / "user_h.ref", std::ios::binary | std::ios::app) << std::string(77, 'y');

    Outcome verified = Dictool({"verify", Data()});
    EXPECT_EQ(verified.Exit, 0) << "the folder reads correctly: " << verified.Output;
    EXPECT_NE(verified.Output.find(stale + ": 1000 bytes left by an interrupted save"),
              std::string::npos)
        << verified.Output;
    EXPECT_NE(verified.Output.find(running + ": 10 bytes of a save of base_h.dak that is still"),
              std::string::npos)
        << verified.Output;
    EXPECT_NE(verified.Output.find("user_h.ref: 77 bytes that no record points to, 77 of them at "
                                   "its end"),
              std::string::npos)
        << verified.Output;

    {
        dictionary::DictionaryIndex index;
        index.Load(Data());
        studylist::TUserDictionary user(index);
        studylist::TSavedWord saved;
        ASSERT_TRUE(user.Save("hotdog", kUserArticle, saved).Ok());
    }
    EXPECT_FALSE(fs::exists(eg / stale)) << "its writer has ended";
    EXPECT_TRUE(fs::exists(eg / running)) << "its writer still runs";
    verified = Dictool({"verify", Data()});
    EXPECT_EQ(verified.Output.find(stale), std::string::npos) << verified.Output;
    EXPECT_NE(verified.Output.find("user_h.ref: 77 bytes that no record points to, 0 of them at "
                                   "its end"),
              std::string::npos)
        << "the saved article follows them: " << verified.Output;
}

TEST_F(DictoolCliTest, WordlistFromAFolderFails) {
    ASSERT_EQ(BuildData().Exit, 0);
    const std::string out = (dir_ / "list").string();
    Outcome outcome = Dictool({"wordlist", dir_.string(), "--dir", Data(), "-o", out});
    EXPECT_NE(outcome.Exit, 0) << outcome.Output;
    EXPECT_NE(outcome.Output.find("folder, not a file"), std::string::npos) << outcome.Output;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(DictoolCliTest, LookupOfAnArticleThatCannotBeReadFails) {
    ASSERT_EQ(BuildData().Exit, 0);
    const fs::path articles = dir_ / "data" / "eg" / "base_h.ref";
    const auto size = fs::file_size(articles);
    fs::resize_file(articles, size / 2);
    Outcome shortened = Dictool({"lookup", "--dir", Data(), "house"});
    EXPECT_NE(shortened.Exit, 0) << shortened.Output;
    EXPECT_NE(shortened.Output.find("base_h.ref"), std::string::npos) << shortened.Output;

    fs::remove(articles);
    fs::create_directory(articles);
    Outcome folder = Dictool({"lookup", "--dir", Data(), "house"});
    EXPECT_NE(folder.Exit, 0) << folder.Output;
    EXPECT_NE(folder.Output.find("base_h.ref"), std::string::npos) << folder.Output;
    EXPECT_NE(folder.Output.find("folder"), std::string::npos) << folder.Output;
}

TEST_F(DictoolCliTest, VerifySaysWhatIsWrongInOneLineWhereOneIsDue) {
    ASSERT_EQ(BuildData().Exit, 0);
    const fs::path articles = dir_ / "data" / "eg" / "base_h.ref";
    fs::remove(articles);
    fs::create_directory(articles);
    Outcome folder = Dictool({"verify", Data()});
    EXPECT_NE(folder.Exit, 0);
    EXPECT_EQ(folder.Output.find("article file missing"), std::string::npos) << folder.Output;
    EXPECT_NE(folder.Output.find("folder, not a file"), std::string::npos) << folder.Output;

    Outcome file = Dictool({"verify", Tsv()});
    EXPECT_NE(file.Exit, 0);
    EXPECT_EQ(file.Lines(), 1u) << file.Output;
    EXPECT_NE(file.Output.find("not a folder"), std::string::npos) << file.Output;
}

} // namespace
