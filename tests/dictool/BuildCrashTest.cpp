// A build into a folder that already holds a dictionary, killed at every step
// that changes what a reader sees: each letter must then read wholly as it was
// or wholly as the build makes it, and the next build must finish the job.
#include "dictionary/Lookup.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "platform/TemporaryFiles.h"
#include "studylist/UserDictionary.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The calls that change which bytes a path names. A child armed with a step
// number kills itself just before that call: every state between two such
// calls is one that a kill can leave.
int gKillAt = 0;
int gSteps = 0;

void Step() {
    if (gKillAt > 0 && ++gSteps == gKillAt) {
        ::raise(SIGKILL);
    }
}

template <typename Function> Function Real(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int rename(const char* from, const char* to) noexcept {
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    Step();
    return real(from, to);
}

int unlink(const char* path) noexcept {
    static const auto real = Real<int (*)(const char*)>("unlink");
    Step();
    return real(path);
}

int ftruncate(int fd, off_t length) noexcept {
    static const auto real = Real<int (*)(int, off_t)>("ftruncate");
    Step();
    return real(fd, length);
}

int fallocate(int fd, int mode, off_t offset, off_t length) {
    static const auto real = Real<int (*)(int, int, off_t, off_t)>("fallocate");
    Step();
    return real(fd, mode, offset, length);
}

// A kill loses nothing the kernel holds, so flushing to the disk would only
// make the hundreds of builds below slow.
int fsync(int) {
    return 0;
}

} // extern "C"

namespace {

namespace fs = std::filesystem;

// Each letter's head-words with their articles, as the program reads them.
using Snapshot = std::vector<std::vector<std::pair<std::string, std::string>>>;

Snapshot Read(const fs::path& dir) {
    dictionary::DictionaryIndex index;
    index.Load(dir);
    Snapshot snapshot(dictionary::kLetterCount);
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            snapshot[static_cast<std::size_t>(tab)].emplace_back(
                std::string(letter.HeadWord(p)),
                dictionary::ReadArticle(index, tab, letter.Record(p)));
        }
    }
    return snapshot;
}

// Old and new differ in every letter they fill, in head-words and in the
// size of each article, so that an index over the other's articles shows.
std::string Words(const char* translation, int repeat) {
    std::string tsv;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        for (int i = 0; i < repeat; ++i) {
            tsv += std::string(1, letter) + "ord" + std::to_string(i) + "\t" + letter + "\u0259\t" +
                   translation + "\n";
        }
    }
    return tsv;
}

// A folder in memory where there is one: the test makes hundreds of builds,
// and a disk makes each rename over a file wait for its data.
fs::path Scratch() {
    std::error_code ec;
    const fs::path memory = "/dev/shm";
    return fs::is_directory(memory, ec) && ::access(memory.c_str(), W_OK) == 0
               ? memory
               : fs::temp_directory_path();
}

class BuildCrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = Scratch() / ("buildcrash-" + std::to_string(::getpid()) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base_);
        oldEntries_ = dictool::ParseTsv(Words("стара дума", 2), "old.tsv");
        newEntries_ = dictool::ParseTsv(Words("нова, по-дълга дума за проверка", 3), "new.tsv");
        Build(oldEntries_, Old());
        // A word of the user's own, which every build is told to keep.
        dictionary::DictionaryIndex index;
        index.Load(Old());
        studylist::TUserDictionary user(index);
        studylist::TSavedWord saved;
        ASSERT_TRUE(user.Save("hotdog", "{\\rtf1 hotdog}", saved).Ok());
    }
    void TearDown() override { fs::remove_all(base_); }

    static void Build(const std::vector<dictool::SourceEntry>& entries, const fs::path& dir) {
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(entries, dir, transcriber, dictool::UserWords::Keep);
    }

    // Builds the new entries into a copy of the old folder in a child that
    // kills itself before its step killAt; whether it was killed.
    bool BuildKilledAt(int killAt, const fs::path& dir) {
        fs::remove_all(dir);
        fs::copy(Old(), dir, fs::copy_options::recursive);
        const pid_t child = ::fork();
        if (child == 0) {
            gKillAt = killAt;
            try {
                Build(newEntries_, dir);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "step " << killAt << ": the build failed";
        return WIFSIGNALED(status);
    }

    fs::path Old() const { return base_ / "old"; }

    fs::path base_;
    std::vector<dictool::SourceEntry> oldEntries_;
    std::vector<dictool::SourceEntry> newEntries_;
};

TEST_F(BuildCrashTest, AKilledBuildLeavesEachLetterOldOrNew) {
    const Snapshot before = Read(Old());
    const fs::path expected = base_ / "expected";
    fs::copy(Old(), expected, fs::copy_options::recursive);
    Build(newEntries_, expected);
    const Snapshot after = Read(expected);
    ASSERT_NE(before[7], after[7]);
    ASSERT_EQ(after[7].size(), 4u) << "three new words and the user's hotdog";

    const fs::path work = base_ / "work";
    int killAt = 1;
    for (; BuildKilledAt(killAt, work); ++killAt) {
        const Snapshot now = Read(work);
        for (std::size_t tab = 0; tab < now.size(); ++tab) {
            ASSERT_TRUE(now[tab] == before[tab] || now[tab] == after[tab])
                << "killed before step " << killAt << ": letter " << tab << " is mixed";
        }
        // The next build finishes what the killed one began, and clears up
        // what it left behind.
        Build(newEntries_, work);
        ASSERT_EQ(Read(work), after) << "after a kill before step " << killAt;
        for (const char* folder : {"eg", "bg"}) {
            EXPECT_EQ(platform::FindTemporaryFiles(work / folder).size(), 0u)
                << "after a kill before step " << killAt;
        }
    }
    EXPECT_GT(killAt, 2 * 52) << "a kill between the two files of every letter was tried";
}

TEST_F(BuildCrashTest, RebuildsKeepOneCopyOfTheArticlesOnTheDisk) {
    const fs::path articles = Old() / "eg" / "base_h.ref";
    for (int round = 0; round < 4; ++round) {
        Build(round % 2 == 0 ? newEntries_ : oldEntries_, Old());
        ASSERT_EQ(Read(Old())[7].size(), round % 2 == 0 ? 4u : 3u);
        struct stat st {};
        ASSERT_EQ(::stat(articles.c_str(), &st), 0);
        std::string bytes;
        // Kept whole: a loop over an element of the temporary would read freed memory.
        const auto letters = Read(Old());
        for (const auto& [word, article] : letters[7]) {
            bytes += article;
        }
        // The old articles are cut off or punched out once the new index is
        // in place: what the disk holds is about the new articles alone.
        EXPECT_LE(static_cast<std::uintmax_t>(st.st_blocks) * 512, bytes.size() + 2 * 4096)
            << "round " << round;
        EXPECT_LE(static_cast<std::uintmax_t>(st.st_size), 3 * bytes.size() + 4096)
            << "round " << round;
    }
}

} // namespace
