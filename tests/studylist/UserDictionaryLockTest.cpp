// Saving user words from two programs at once, into read-only files and
// through symbolic links.
#include "dictionary/Lookup.h"
#include "studylist/UserDictionary.h"
#include "tests/studylist/CoreTestFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace studylisttest;
using studylist::TSavedWord;
using studylist::TUserDictionary;

constexpr int kH = 'H' - 'A';

std::string ArticleOf(const std::string& word) {
    return "{\\rtf1\\ansi " + word + " \\'e4\\'ee\\'ec\\par}";
}

// Each save starts as a program does: from the index as it is on the disk.
platform::TFileResult SaveAfterLoading(const fs::path& dir, const std::string& word) {
    dictionary::DictionaryIndex index;
    index.Load(dir);
    TUserDictionary dictionary(index);
    TSavedWord saved;
    return dictionary.Save(word, ArticleOf(word), saved);
}

// Two processes save many words into letter H at the same time. Every save
// reported done must be in the index with its own article; every save
// reported failed must have left no trace; no record may point outside the
// article file.
TEST(UserDictionaryLock, RacingSavesKeepEveryReportedWordAndNothingElse) {
    CoreTestFolder folder("userdictrace");
    constexpr int kSaves = 60;
    int results[2];
    ASSERT_EQ(::pipe(results), 0);
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = ::fork();
        if (children[k] == 0) {
            ::close(results[0]);
            for (int i = 0; i < kSaves; ++i) {
                const std::string word =
                    std::string("hx") + static_cast<char>('a' + k) + std::to_string(i);
                const bool done = SaveAfterLoading(folder.Path(), word).Ok();
                const std::string line = word + (done ? " 1\n" : " 0\n");
                if (::write(results[1], line.data(), line.size()) !=
                    static_cast<ssize_t>(line.size())) {
                    ::_exit(2);
                }
            }
            ::_exit(0);
        }
    }
    ::close(results[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(results[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(results[0]);
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::map<std::string, bool> reported;
    std::istringstream lines(text);
    std::string word;
    int done = 0;
    while (lines >> word >> n) {
        reported[word] = n == 1;
        done += n == 1 ? 1 : 0;
    }
    ASSERT_EQ(reported.size(), 2u * kSaves);
    EXPECT_GT(done, 0);
    RecordProperty("SavesDone", done);

    dictionary::DictionaryIndex index;
    ASSERT_TRUE(index.Load(folder.Path()).Complete());
    const dictionary::LetterIndex& letter = index.Letter(kH);
    const auto userSize = static_cast<std::int64_t>(fs::file_size(folder.File("\\eg\\user_h.ref")));
    std::map<std::string, int> inIndex;
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        const auto record = letter.Record(p);
        const std::string head(record.HeadWord());
        ++inIndex[head];
        if (record.IsBase == 0) {
            EXPECT_LE(static_cast<std::int64_t>(record.ArticleOffset) + record.ArticleSize,
                      userSize)
                << head << " points outside the article file";
            EXPECT_EQ(dictionary::ReadArticle(index, kH, record), ArticleOf(head)) << head;
        }
    }
    int lost = 0;
    int stray = 0;
    for (const auto& [name, saved] : reported) {
        const int count = inIndex.contains(name) ? inIndex[name] : 0;
        lost += saved && count != 1 ? 1 : 0;
        stray += !saved && count != 0 ? 1 : 0;
    }
    EXPECT_EQ(lost, 0) << "saves reported done but missing from the index";
    EXPECT_EQ(stray, 0) << "saves reported failed but in the index";
    EXPECT_EQ(letter.Size(), 2u + static_cast<std::size_t>(done));
}

// Root ignores permissions: the save itself must respect the read-only bits.
TEST(UserDictionaryLock, AReadOnlyIndexIsNotReplaced) {
    CoreTestFolder folder("userdictro");
    const fs::path indexPath = folder.File("\\eg\\base_h.dak");
    const std::string before = ReadBytes(indexPath);
    fs::permissions(indexPath,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const platform::TFileResult refused = SaveAfterLoading(folder.Path(), "hotdog");
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().File, indexPath);
    EXPECT_EQ(refused.Errno(), EACCES);
    EXPECT_EQ(ReadBytes(indexPath), before);
    EXPECT_EQ((fs::status(indexPath).permissions() & fs::perms::owner_write), fs::perms::none);
    const fs::path user = folder.File("\\eg\\user_h.ref");
    EXPECT_TRUE(!fs::exists(user) || fs::file_size(user) == 0) << "no article left behind";
}

TEST(UserDictionaryLock, ALinkedIndexIsWrittenThroughAndItsNeighboursKept) {
    CoreTestFolder folder("userdictlink");
    const fs::path indexPath = folder.File("\\eg\\base_h.dak");
    fs::create_directories(folder.Path() / "elsewhere");
    fs::rename(indexPath, folder.Path() / "elsewhere" / "h.dak");
    fs::create_symlink("../elsewhere/h.dak", indexPath);
    WriteBytes(folder.File("\\eg\\base_h.dak.tmp"), "not ours");

    ASSERT_TRUE(SaveAfterLoading(folder.Path(), "hotdog").Ok());
    EXPECT_TRUE(fs::is_symlink(indexPath));
    EXPECT_EQ(fs::file_size(folder.Path() / "elsewhere" / "h.dak"),
              3 * sizeof(dictionary::IndexRecord));
    EXPECT_EQ(ReadBytes(folder.File("\\eg\\base_h.dak.tmp")), "not ours");
    ASSERT_TRUE(SaveAfterLoading(folder.Path(), "hotel").Ok());
    EXPECT_EQ(fs::file_size(folder.Path() / "elsewhere" / "h.dak"),
              4 * sizeof(dictionary::IndexRecord));
}

} // namespace
