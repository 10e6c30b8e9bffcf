// Index files that are too large or no files at all, and articles that cannot
// be read, are reported by name instead of ending or stopping the program.
#include "dictionary/Lookup.h"
#include "platform/Paths.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace dictionary;
namespace fs = std::filesystem;

constexpr int kTabH = 'H' - 'A';

TEST(IndexLimits, AnIndexLargerThanMemoryLeavesItsLetterEmptyAndIsNamed) {
    TestDictionary dict;
    dict.WriteLetter(0, {{"a", "{a}"}});
    dict.FillEmptyLetters();
    const fs::path huge = platform::ResolvePath(dict.Dir(), IndexFragment(kTabH));
    fs::resize_file(huge, 300ull << 30); // sparse: no disk

    DictionaryIndex index;
    LoadReport report;
    EXPECT_NO_THROW(report = index.Load(dict.Dir()));
    ASSERT_EQ(report.Unreadable.size(), 1u);
    EXPECT_NE(report.Message().find("base_h.dak"), std::string::npos) << report.Message();
    EXPECT_EQ(index.Letter(kTabH).Size(), 0u);
    EXPECT_EQ(index.Letter(0).Size(), 1u);
}

TEST(IndexLimits, ANamedPipeAsIndexDoesNotStopTheLoad) {
    TestDictionary dict;
    dict.FillEmptyLetters();
    const fs::path pipe = platform::ResolvePath(dict.Dir(), IndexFragment(kTabH));
    fs::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        DictionaryIndex index;
        const LoadReport report = index.Load(dict.Dir());
        const bool named = report.Unreadable.size() == 1 &&
                           report.Message().find("named pipe") != std::string::npos;
        ::_exit(named ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(IndexLimits, AnArticleThatCannotBeReadSaysWhy) {
    TestDictionary dict;
    dict.WriteLetter(kTabH, {{"hot", "{\\rtf1 hot}"}, {"house", "{\\rtf1 house}", 0}});
    dict.FillEmptyLetters();
    DictionaryIndex index;
    index.Load(dict.Dir());
    const LetterIndex& letter = index.Letter(kTabH);
    TArticleRead read = ReadArticleChecked(index, kTabH, letter.Record(0));
    EXPECT_EQ(read.Bytes, "{\\rtf1 hot}");
    EXPECT_EQ(read.Fault, TArticleFault::None);

    // The base article file cut short.
    dict.WriteRaw("\\eg\\base_h.ref", "{\\r");
    read = ReadArticleChecked(index, kTabH, letter.Record(0));
    EXPECT_EQ(read.Bytes.size(), 3u);
    EXPECT_EQ(read.Fault, TArticleFault::EndsWithin);
    EXPECT_EQ(read.File.filename(), "base_h.ref");

    // The user article file replaced by a folder.
    const fs::path user = platform::ResolvePath(dict.Dir(), "\\eg\\user_h.ref");
    fs::remove(user);
    fs::create_directory(user);
    read = ReadArticleChecked(index, kTabH, letter.Record(1));
    EXPECT_EQ(read.Bytes, "");
    EXPECT_EQ(read.Fault, TArticleFault::CannotOpen);
    EXPECT_EQ(read.File, user);
    EXPECT_EQ(read.Errno, EISDIR);

    // A record that gives no place names the index file.
    IndexRecord placeless = letter.Record(0);
    placeless.ArticleSize = 0;
    read = ReadArticleChecked(index, kTabH, placeless);
    EXPECT_EQ(read.Fault, TArticleFault::NoPlace);
    EXPECT_EQ(read.File, index.IndexPath(kTabH));
}

} // namespace
