// Saving user words: where the record goes, what the files hold afterwards,
// and that failures leave the index readable and aligned.
#include "studylist/UserDictionary.h"
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "tests/studylist/TestSupport.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

using namespace studylisttest;
using studylist::TSavedWord;
using studylist::TUserDictionary;
using studylist::TWordProblem;

constexpr int kH = 'H' - 'A';
constexpr const char* kArticle = "{\\rtf1\\ansi\\ansicpg1251 {\\b hxz} \\'e4\\'ee\\'ec\\par}";

class UserDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::make_unique<DictionaryFolder>("userdict");
        ASSERT_TRUE(index_.Load(folder_->Path()).Complete());
    }
    fs::path Path(const char* relative) const { return folder_->Path() / relative; }

    // The index as a fresh start-up would read it.
    dictionary::DictionaryIndex Reload() const {
        dictionary::DictionaryIndex index;
        index.Load(folder_->Path());
        return index;
    }

    std::unique_ptr<DictionaryFolder> folder_;
    dictionary::DictionaryIndex index_;
};

TEST(UserWordCheck, EveryProblemIsNamed) {
    EXPECT_EQ(TUserDictionary::Check("", "x"), TWordProblem::EmptyWord);
    EXPECT_EQ(TUserDictionary::Check(std::string(102, 'a'), "x"), TWordProblem::TooLong);
    EXPECT_EQ(TUserDictionary::Check(std::string(101, 'a'), "x"), TWordProblem::None);
    EXPECT_EQ(TUserDictionary::Check("@home", "x"), TWordProblem::NoLetter);
    EXPECT_EQ(TUserDictionary::Check("`a", "x"), TWordProblem::NoLetter);
    EXPECT_EQ(TUserDictionary::Check("home", ""), TWordProblem::EmptyArticle);
}

// The index is rewritten from memory; entries another program added since
// the start must not be lost by that: the file is read again and the new
// word joins them.
TEST_F(UserDictionaryTest, IndexChangedSinceTheStartIsReadAgainAndKept) {
    const fs::path indexPath = index_.IndexPath(kH);
    constexpr std::size_t kRecord = sizeof(dictionary::IndexRecord);
    std::string bytes = ReadFile(indexPath);
    const std::size_t before = bytes.size() / kRecord;
    bytes += bytes.substr(0, kRecord);
    WriteFile(indexPath, bytes);
    TUserDictionary dictionary(index_);
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("hotdog", kArticle, saved).Ok());
    const std::string now = ReadFile(indexPath);
    ASSERT_EQ(now.size(), bytes.size() + kRecord);
    EXPECT_EQ(now.substr(now.size() - kRecord), bytes.substr(bytes.size() - kRecord))
        << "the other program's record is still there";
    EXPECT_EQ(index_.Letter(kH).Size(), before + 2) << "memory follows the file";
    EXPECT_EQ(index_.Letter(kH).HeadWord(saved.Position), "hotdog");
    EXPECT_EQ(Reload().Letter(kH).HeadWords(), index_.Letter(kH).HeadWords());
}

// Rewritten to the same size by another program: two entries changed
// places. That is noticed from the entries, not the size alone.
TEST_F(UserDictionaryTest, IndexRewrittenToTheSameSizeIsReadAgain) {
    const fs::path indexPath = index_.IndexPath(kH);
    std::string bytes = ReadFile(indexPath);
    constexpr auto kRecord = static_cast<std::ptrdiff_t>(sizeof(dictionary::IndexRecord));
    ASSERT_GE(bytes.size(), 2u * kRecord);
    std::swap_ranges(bytes.begin(), bytes.begin() + kRecord, bytes.begin() + kRecord);
    WriteFile(indexPath, bytes);
    const std::string second(index_.Letter(kH).HeadWord(1));
    TUserDictionary dictionary(index_);
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("hzz", kArticle, saved).Ok());
    EXPECT_EQ(index_.Letter(kH).HeadWord(0), second) << "the swapped order as the file has it";
    EXPECT_EQ(Reload().Letter(kH).HeadWords(), index_.Letter(kH).HeadWords());
}

// The bytes after a head-word's end are read by nobody; a save passes them on
// as they are, so the file changes by the new record only.
TEST_F(UserDictionaryTest, ASaveAddsTheNewRecordAndChangesNothingElse) {
    const fs::path indexPath = index_.IndexPath(kH);
    std::string bytes = ReadFile(indexPath);
    constexpr std::size_t kRecord = sizeof(dictionary::IndexRecord);
    bytes[90] = 'x'; // past "hot"
    WriteFile(indexPath, bytes);
    TUserDictionary dictionary(index_);
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("hotdog", kArticle, saved).Ok());
    ASSERT_EQ(saved.Position, 1u);
    dictionary::IndexRecord record;
    dictionary::MakeRecord(record, "hotdog", 0, static_cast<std::int32_t>(std::strlen(kArticle)),
                           0);
    EXPECT_EQ(ReadFile(indexPath),
              bytes.substr(0, kRecord) +
                  std::string(reinterpret_cast<const char*>(&record), sizeof record) +
                  bytes.substr(kRecord));
}

TEST_F(UserDictionaryTest, SavedWordIsFiledInOrderAndReadsBack) {
    TUserDictionary dictionary(index_);
    const auto before = index_.Letter(kH).Size();
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("hotdog", kArticle, saved).Ok());
    EXPECT_EQ(saved.Tab, kH);
    // hot, hotdog, hotel, hour, house, household
    EXPECT_EQ(saved.Position, 1u);
    const auto& letter = index_.Letter(kH);
    ASSERT_EQ(letter.Size(), before + 1);
    EXPECT_EQ(letter.HeadWord(1), "hotdog");
    EXPECT_EQ(letter.Article(1).IsBase, 0);
    EXPECT_EQ(letter.Article(1).ArticleOffset, 0);
    EXPECT_EQ(letter.Article(1).ArticleSize, static_cast<int>(std::string(kArticle).size()));
    EXPECT_EQ(ReadFile(Path("eg/user_h.ref")), kArticle) << "stored plain";
    EXPECT_EQ(dictionary::ReadArticle(index_, kH, letter.Record(1)), kArticle);

    const auto reloaded = Reload();
    const auto& disk = reloaded.Letter(kH);
    EXPECT_EQ(fs::file_size(reloaded.IndexPath(kH)) % sizeof(dictionary::IndexRecord), 0u);
    ASSERT_EQ(disk.HeadWords(), letter.HeadWords());
    EXPECT_EQ(dictionary::FindWord(disk.HeadWords(), "hotd"), 1);
    EXPECT_EQ(dictionary::TLookupService(reloaded).FindText("hotdogs,")->Position, 1);
    EXPECT_FALSE(fs::exists(reloaded.IndexPath(kH).string() + ".tmp"));

    // A second article follows the first in the same file.
    ASSERT_TRUE(dictionary.Save("Hotdog", "{\\rtf1 x}", saved).Ok());
    EXPECT_EQ(saved.Position, 1u) << "capitalised before lower case";
    EXPECT_EQ(letter.Article(1).ArticleOffset, static_cast<int>(std::string(kArticle).size()));
    EXPECT_EQ(Reload().Letter(kH).HeadWords(), letter.HeadWords());
}

TEST_F(UserDictionaryTest, UserRecordsKeepTheBaseSoundNumbers) {
    TUserDictionary dictionary(index_);
    const auto& letter = index_.Letter(kH);
    std::vector<std::string> before;
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        before.push_back(std::string(letter.HeadWord(p)) + "=" + letter.SoundNumber(p));
    }
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("ha", "{\\rtf1 a}", saved).Ok());
    ASSERT_TRUE(dictionary.Save("hotz", "{\\rtf1 b}", saved).Ok());
    std::vector<std::string> after;
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        if (letter.Article(p).IsBase == 0) {
            EXPECT_EQ(letter.SoundNumber(p), "0") << letter.HeadWord(p);
        } else {
            after.push_back(std::string(letter.HeadWord(p)) + "=" + letter.SoundNumber(p));
        }
    }
    EXPECT_EQ(after, before) << "no base record is renumbered";
}

TEST_F(UserDictionaryTest, ExistingWordAndBulgarianWord) {
    TUserDictionary dictionary(index_);
    EXPECT_TRUE(dictionary.Contains("house"));
    EXPECT_FALSE(dictionary.Contains("House"));
    TSavedWord saved;
    ASSERT_TRUE(dictionary.Save("house", "{\\rtf1 second}", saved).Ok());
    EXPECT_EQ(index_.Letter(kH).HeadWord(saved.Position - 1), "house")
        << "a second entry goes after the first";
    EXPECT_EQ(index_.Letter(kH).Article(saved.Position - 1).IsBase, 1);
    EXPECT_EQ(dictionary::FindWord(index_.Letter(kH).HeadWords(), "house"),
              static_cast<int>(saved.Position) - 1)
        << "the look-up still finds the first";

    // "ябълка": the last Cyrillic letter, its own folder and number.
    ASSERT_TRUE(dictionary.Save("\xFF\xE1\xFA\xEB\xEA\xE0", "{\\rtf1 apple}", saved).Ok());
    EXPECT_EQ(saved.Tab, 57);
    EXPECT_EQ(ReadFile(Path("bg/user_32.ref")), "{\\rtf1 apple}");
    EXPECT_EQ(Reload().Letter(57).HeadWords(), index_.Letter(57).HeadWords());
}

// The index rewrite fails after the article went out: the article file is cut
// back and the index file is exactly as before.
TEST_F(UserDictionaryTest, FailedIndexWriteLeavesNothingBehind) {
    const std::string index = ReadFile(Path("eg/base_h.dak"));
    ASSERT_GT(index.size(), 300u);
    WriteFile(Path("eg/user_h.ref"), "earlier");
    // The file size limit lets the article through and stops the index.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{300, 300};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        TUserDictionary dictionary(index_);
        TSavedWord saved;
        const platform::TFileResult result = dictionary.Save("hotdog", kArticle, saved);
        const bool ok = result.Ok();
        const bool named = !ok && result.Error().File == Path("eg/base_h.dak");
        // Memory unchanged as well.
        ::_exit(!ok && named && !dictionary.Contains("hotdog") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(Path("eg/base_h.dak")), index);
    EXPECT_EQ(ReadFile(Path("eg/user_h.ref")), "earlier");
}

// A full disk in the middle of writing the index (the file size limit stands
// in for it): the index is never torn.
TEST_F(UserDictionaryTest, TornIndexWriteKeepsTheIndexWhole) {
    const std::string index = ReadFile(Path("eg/base_h.dak"));
    ASSERT_GT(index.size(), 300u);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{300, 300}; // the article fits, the index does not
        ::setrlimit(RLIMIT_FSIZE, &limit);
        TUserDictionary dictionary(index_);
        TSavedWord saved;
        const platform::TFileResult result = dictionary.Save("hotdog", kArticle, saved);
        ::_exit(!result.Ok() && result.Error().Operation == platform::TFileOperation::Write ? 0
                                                                                            : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(Path("eg/base_h.dak")), index);
    EXPECT_EQ(fs::file_size(Path("eg/user_h.ref")), 0u) << "the article was cut off again";
    EXPECT_FALSE(fs::exists(Path("eg/base_h.dak.tmp")));
}

TEST_F(UserDictionaryTest, ReadOnlyFolderIsReportedAndChangesNothing) {
    const std::string index = ReadFile(Path("eg/base_h.dak"));
    fs::permissions(Path("eg"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        TUserDictionary dictionary(index_);
        TSavedWord saved;
        // The index file, which this user may not write, is looked at first.
        const platform::TFileResult result = dictionary.Save("hotdog", kArticle, saved);
        ::_exit(!result.Ok() && result.Error().File.filename() == "base_h.dak" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(Path("eg"), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(Path("eg/base_h.dak")), index);
    EXPECT_FALSE(fs::exists(Path("eg/user_h.ref")));
}

} // namespace
