// The user's own words over shared, read-only data: kept in the user's own
// folder, merged into every letter at load, found after an upgrade of the
// shared data, apart for every user; and saves that meet another program's
// lock or its changes.
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "studylist/UserDictionary.h"
#include "tests/studylist/CoreTestFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sys/file.h>
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

// Every file and folder below dir with its bytes: what must not change.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        files[entry.path().string()] = entry.is_regular_file() ? ReadBytes(entry.path()) : "/";
    }
    return files;
}

// Shared data as an installation has it: read-only for everyone.
void MakeReadOnly(const fs::path& dir) {
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        fs::permissions(entry.path(), entry.is_directory()
                                          ? fs::perms::owner_read | fs::perms::owner_exec
                                          : fs::perms::owner_read);
    }
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
}

void MakeWritable(const fs::path& dir) {
    fs::permissions(dir, fs::perms::owner_all);
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        fs::permissions(entry.path(), fs::perms::owner_all);
    }
}

// The base index of letter H with these words, each its own article.
void WriteBaseH(const CoreTestFolder& shared, const std::vector<std::string>& words) {
    std::string index;
    std::string base;
    for (const std::string& word : words) {
        std::string article = "{\\rtf1 " + word + "}";
        dictionary::IndexRecord record;
        dictionary::MakeRecord(record, word, static_cast<std::int32_t>(base.size()),
                               static_cast<std::int32_t>(article.size()), 1);
        index.append(reinterpret_cast<const char*>(&record), sizeof record);
        dictionary::ScrambleInPlace(article.data(), article.size());
        base += article;
    }
    WriteBytes(shared.File("\\eg\\base_h.dak"), index);
    WriteBytes(shared.File("\\eg\\base_h.ref"), base);
}

class UserWordsOverlay : public ::testing::Test {
protected:
    UserWordsOverlay() : shared_("overlayshared"), state_("overlaystate") {
        // The state folder starts empty, as a first start finds it.
        fs::remove_all(state_.Path());
        fs::create_directories(state_.Path());
    }
    ~UserWordsOverlay() override { MakeWritable(shared_.Path()); }

    platform::TFileResult Save(dictionary::DictionaryIndex& index, const std::string& word) {
        TUserDictionary dictionary(index);
        TSavedWord saved;
        return dictionary.Save(word, ArticleOf(word), saved);
    }

    // What a start of the installed program reads.
    dictionary::DictionaryIndex Start(const fs::path& state) const {
        dictionary::DictionaryIndex index;
        EXPECT_TRUE(index.Load(shared_.Path(), state).Complete());
        return index;
    }

    // The article the look-up shows for an exact head-word; "" when absent.
    static std::string Found(const dictionary::DictionaryIndex& index, const std::string& word) {
        const dictionary::TLookupService service(index);
        const int tab = dictionary::TabOfWord(word);
        const int p = service.FindHeadWord(tab, word);
        return p < 0 ? std::string() : service.ReadArticle(tab, p);
    }

    CoreTestFolder shared_;
    CoreTestFolder state_;
};

TEST_F(UserWordsOverlay, OwnWordsGoToTheUsersFolderAndMergeWithTheBase) {
    MakeReadOnly(shared_.Path());
    const auto before = Snapshot(shared_.Path());
    dictionary::DictionaryIndex index = Start(state_.Path());
    ASSERT_TRUE(index.Overlaid());
    ASSERT_TRUE(Save(index, "hotdog").Ok());
    ASSERT_TRUE(Save(index, "hz").Ok());
    ASSERT_TRUE(Save(index, "ha").Ok());
    EXPECT_EQ(Snapshot(shared_.Path()), before) << "the shared files are never written";

    using Words = std::vector<std::string_view>;
    EXPECT_EQ(index.Letter(kH).HeadWords(), (Words{"ha", "hot", "hotdog", "house", "hz"}));
    EXPECT_EQ(fs::file_size(state_.File("\\eg\\base_h.dak")), 3 * sizeof(dictionary::IndexRecord))
        << "the user's index lists the user's words only";
    EXPECT_EQ(Found(index, "hotdog"), ArticleOf("hotdog"));
    EXPECT_EQ(Found(index, "house"), "{\\rtf1 house}");

    const dictionary::DictionaryIndex again = Start(state_.Path());
    EXPECT_EQ(again.Letter(kH).HeadWords(), index.Letter(kH).HeadWords()) << "merged at load";
    EXPECT_EQ(Found(again, "hz"), ArticleOf("hz"));
    const dictionary::LetterIndex& h = again.Letter(kH);
    std::vector<std::string> sounds;
    for (std::size_t p = 0; p < h.Size(); ++p) {
        sounds.push_back(h.SoundNumber(p));
    }
    EXPECT_EQ(sounds, (std::vector<std::string>{"0", "1", "0", "2", "0"}))
        << "the base words keep their pronunciations";

    const dictionary::DictionaryIndex shared = [&] {
        dictionary::DictionaryIndex alone;
        alone.Load(shared_.Path());
        return alone;
    }();
    EXPECT_EQ(shared.Letter(kH).Size(), 2u) << "the shared data alone has none of them";
}

// A new version of the shared data removes the head-word a user's word
// stood beside and moves another: the user's words stay and are found.
TEST_F(UserWordsOverlay, OwnWordsOutliveAnUpgradeThatRemovesAndMovesHeadWords) {
    {
        dictionary::DictionaryIndex index = Start(state_.Path());
        ASSERT_TRUE(Save(index, "hotdog").Ok());
        ASSERT_TRUE(Save(index, "house").Ok()) << "an own article for a base word";
    }
    const std::string own = ReadBytes(state_.File("\\eg\\base_h.dak"));
    WriteBaseH(shared_, {"hat", "home", "hotel", "hum"});
    WriteBytes(shared_.File("\\eg\\base_o.dak"), "");

    const dictionary::DictionaryIndex upgraded = Start(state_.Path());
    using Words = std::vector<std::string_view>;
    EXPECT_EQ(upgraded.Letter(kH).HeadWords(),
              (Words{"hat", "home", "hotdog", "hotel", "house", "hum"}));
    EXPECT_EQ(Found(upgraded, "hotdog"), ArticleOf("hotdog"));
    EXPECT_EQ(Found(upgraded, "house"), ArticleOf("house")) << "its base word is gone";
    EXPECT_EQ(Found(upgraded, "hotel"), "{\\rtf1 hotel}");
    EXPECT_EQ(upgraded.Letter(kH).SoundNumber(3), "3") << "hotel: the new base's third sound";
    EXPECT_EQ(ReadBytes(state_.File("\\eg\\base_h.dak")), own) << "loading changes nothing";
}

TEST_F(UserWordsOverlay, TwoUsersNeverSeeEachOthersWords) {
    CoreTestFolder other("overlayother");
    fs::remove_all(other.Path());
    fs::create_directories(other.Path());
    dictionary::DictionaryIndex ann = Start(state_.Path());
    dictionary::DictionaryIndex bob = Start(other.Path());
    ASSERT_TRUE(Save(ann, "hotdog").Ok());
    ASSERT_TRUE(Save(bob, "hover").Ok());
    EXPECT_EQ(Found(Start(state_.Path()), "hover"), "");
    EXPECT_EQ(Found(Start(state_.Path()), "hotdog"), ArticleOf("hotdog"));
    EXPECT_EQ(Found(Start(other.Path()), "hotdog"), "");
    EXPECT_EQ(Found(Start(other.Path()), "hover"), ArticleOf("hover"));
}

// Another program holds the letter's lock and does not let go: the save
// gives up after a bounded wait, says the dictionary is busy, and writes
// nothing, so the same word can be saved once the other has finished.
TEST_F(UserWordsOverlay, ASaveGivesUpOnALockHeldTooLongAndSucceedsLater) {
    dictionary::DictionaryIndex index = Start(state_.Path());
    ASSERT_TRUE(Save(index, "ha").Ok());
    const fs::path indexPath = state_.File("\\eg\\base_h.dak");
    const std::string before = ReadBytes(indexPath);
    int locked[2];
    int release[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(indexPath.c_str(), O_RDONLY);
        const bool ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
        char byte = ok ? '1' : '0';
        (void)!::write(locked[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(ok ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(locked[0], &byte, 1), 1);
    ASSERT_EQ(byte, '1');

    const platform::TFileResult busy = Save(index, "hotdog");
    char go = 'x';
    (void)!::write(release[1], &go, 1);
    int status = 0;
    ::waitpid(holder, &status, 0);
    for (const int fd : {locked[0], locked[1], release[0], release[1]}) {
        ::close(fd);
    }
    ASSERT_FALSE(busy.Ok());
    EXPECT_EQ(busy.Error().Fault, platform::TFileFault::Busy);
    EXPECT_EQ(busy.Error().File, indexPath);
    EXPECT_EQ(ReadBytes(indexPath), before);
    EXPECT_EQ(fs::file_size(state_.File("\\eg\\user_h.ref")), ArticleOf("ha").size())
        << "no article appended";
    EXPECT_EQ(Found(index, "hotdog"), "");

    ASSERT_TRUE(Save(index, "hotdog").Ok()) << "once the other has let go";
    EXPECT_EQ(Found(Start(state_.Path()), "hotdog"), ArticleOf("hotdog"));
}

// Two running instances of the program over one folder: each saves into a
// letter the other wrote since it started, and no word of either is lost.
TEST(UserWordsInstances, EachSavesIntoALetterTheOtherChanged) {
    for (const bool overlaid : {false, true}) {
        SCOPED_TRACE(overlaid ? "over shared data" : "in a data folder");
        CoreTestFolder shared("instances");
        const fs::path own = overlaid ? shared.Path() / "state" : shared.Path();
        dictionary::DictionaryIndex first;
        dictionary::DictionaryIndex second;
        first.Load(shared.Path(), own);
        second.Load(shared.Path(), own);
        TUserDictionary one(first);
        TUserDictionary two(second);
        TSavedWord saved;
        ASSERT_TRUE(one.Save("hotdog", ArticleOf("hotdog"), saved).Ok());
        ASSERT_TRUE(two.Save("hover", ArticleOf("hover"), saved).Ok());
        EXPECT_EQ(second.Letter(kH).HeadWord(saved.Position), "hover");
        ASSERT_TRUE(one.Save("ha", ArticleOf("ha"), saved).Ok());

        using Words = std::vector<std::string_view>;
        const Words all{"ha", "hot", "hotdog", "house", "hover"};
        EXPECT_EQ(first.Letter(kH).HeadWords(), all);
        dictionary::DictionaryIndex fresh;
        fresh.Load(shared.Path(), own);
        EXPECT_EQ(fresh.Letter(kH).HeadWords(), all);
        const dictionary::TLookupService service(fresh);
        for (const char* word : {"ha", "hotdog", "hover"}) {
            EXPECT_EQ(service.ReadArticle(kH, service.FindHeadWord(kH, word)), ArticleOf(word))
                << word;
        }
    }
}

// With no folder of the user's at all, a save goes nowhere rather than into
// the shared data or the working directory.
TEST_F(UserWordsOverlay, WithoutAUserFolderNothingIsWritten) {
    const auto before = Snapshot(shared_.Path());
    dictionary::DictionaryIndex index;
    index.Load(shared_.Path(), "");
    EXPECT_EQ(index.Letter(kH).Size(), 2u);
    const platform::TFileResult refused = Save(index, "hotdog");
    EXPECT_FALSE(refused.Ok());
    EXPECT_EQ(Snapshot(shared_.Path()), before);
    EXPECT_FALSE(fs::exists("eg/base_h.dak"));
}

} // namespace
