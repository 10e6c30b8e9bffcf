#include "export/Export.h"
#include "dictionary/Letters.h"
#include "export/DictionaryWords.h"
#include "export/Sha1.h"
#include "learning/Sqlite.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <fstream>
#include <map>

using namespace exporting;
namespace fs = std::filesystem;
using learning::sqlite::TDatabase;
using learning::sqlite::TStatement;

namespace {

constexpr std::int64_t kFirstExportMs = 1709283600000;
const std::string kHouse = "house";
const std::string kKashta = "\xEA\xFA\xF9\xE0"; // къща in code page 1251
const std::string kKashtaUtf8 = "\u043A\u044A\u0449\u0430";
const std::string kSoundBytes = std::string("ID3\x03\x00", 5) + std::string(3000, '\x55');

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A dictionary with "hot", "house", "House" (H), "къща" (К), a pronunciation
// for "house", and a folder to export into.
class ExportTest : public ::testing::Test {
protected:
    ExportTest() {
        dictionary_.WriteLetter(
            7, {{"hot", "{\\rtf1 hot [h\\u594?t]\\line \\'e3\\'EE\\'f0\\'e5\\'f9}"},
                {"house", "{\\rtf1 {\\b house} [ha\\u650?s]\\line {\\i noun} "
                          "\\'ea\\'fa\\'f9\\'e0}"},
                {"House", "{\\rtf1 House [ha\\u650?s]\\line the House}"}});
        dictionary_.WriteLetter(dictionary::TabOfWord(kKashta),
                                {{kKashta, "{\\rtf1 \\'ea\\'fa\\'f9\\'e0 [\\'ea\\'fa\\'f9\\'e0]"
                                           "\\line house}"}});
        dictionary_.FillEmptyLetters();
        fs::create_directories(dictionary_.Dir() / "wave" / "h");
        dictionary_.WriteRaw("\\wave\\h\\2.mp3", kSoundBytes); // house is the second base record
        index_.Load(dictionary_.Dir());
        out_ = dictionary_.Dir() / "out";
        fs::create_directories(out_);
    }

    TExportResult Export(const std::vector<std::string>& list, const fs::path& file,
                         std::int64_t nowMs = kFirstExportMs, bool replace = false) {
        TDictionaryWords words(lookup_, dictionary_.Dir());
        TExportOptions options;
        options.NowMs = nowMs;
        options.Replace = replace;
        options.DeckName = "Study list";
        return file.extension() == ".tsv" ? ExportTabSeparated(list, words, file, options)
                                          : ExportAnkiPackage(list, words, file, options);
    }

    TestDictionary dictionary_;
    dictionary::DictionaryIndex index_;
    dictionary::TLookupService lookup_{index_};
    fs::path out_;
};

// The entries of a zip file by name.
std::map<std::string, std::string> Unzip(const fs::path& file) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    EXPECT_NE(archive, nullptr) << error;
    std::map<std::string, std::string> entries;
    if (!archive) {
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string bytes(stat.size, '\0');
        zip_file_t* entry = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(entry, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
        zip_fclose(entry);
        entries[stat.name] = bytes;
    }
    zip_close(archive);
    return entries;
}

struct Note {
    std::string Guid;
    std::vector<std::string> Fields;
    std::string SortField;
    std::int64_t Checksum = 0;
    std::int64_t Model = 0;
};

struct Collection {
    std::vector<Note> Notes;
    std::vector<std::tuple<std::int64_t, std::int64_t, int, int, int>>
        Cards; // nid, did, ord, type, queue
    int Version = 0;
    std::string Models, Decks;
    int Revlog = -1, Graves = -1;
};

Collection ReadCollection(const std::string& bytes, const fs::path& scratch) {
    const fs::path file = scratch / "collection.anki2";
    std::ofstream(file, std::ios::binary) << bytes;
    TDatabase db = TDatabase::Open(file, false);
    Collection collection;
    TStatement col(db, "SELECT ver, models, decks FROM col");
    EXPECT_TRUE(col.Step());
    collection.Version = static_cast<int>(col.Int(0));
    collection.Models = col.Bytes(1);
    collection.Decks = col.Bytes(2);
    TStatement notes(db, "SELECT guid, flds, sfld, csum, mid FROM notes ORDER BY id");
    while (notes.Step()) {
        Note note{notes.Bytes(0), {}, notes.Bytes(2), notes.Int(3), notes.Int(4)};
        const std::string fields = notes.Bytes(1);
        for (std::size_t start = 0;;) {
            const std::size_t end = fields.find('\x1f', start);
            note.Fields.push_back(fields.substr(start, end - start));
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        collection.Notes.push_back(note);
    }
    TStatement cards(db, "SELECT nid, did, ord, type, queue FROM cards ORDER BY nid, ord");
    while (cards.Step()) {
        collection.Cards.emplace_back(cards.Int(0), cards.Int(1), static_cast<int>(cards.Int(2)),
                                      static_cast<int>(cards.Int(3)),
                                      static_cast<int>(cards.Int(4)));
    }
    TStatement revlog(db, "SELECT count(*) FROM revlog");
    collection.Revlog = revlog.Step() ? static_cast<int>(revlog.Int(0)) : -1;
    TStatement graves(db, "SELECT count(*) FROM graves");
    collection.Graves = graves.Step() ? static_cast<int>(graves.Int(0)) : -1;
    return collection;
}

} // namespace

TEST_F(ExportTest, APackageHoldsANoteWithTwoCardsForEachHeadWordAndTheSoundsAsMedia) {
    const fs::path file = out_ / "list.apkg";
    const TExportResult result = Export({kHouse, kKashta, "hous", kHouse, "nothing"}, file);
    ASSERT_TRUE(result.Ok()) << result.Detail;
    EXPECT_EQ(result.Notes, 2);
    EXPECT_EQ(result.Sounds, 1);
    EXPECT_EQ(result.LeftOut, (std::vector<std::string>{"hous", "nothing"}));

    auto entries = Unzip(file);
    ASSERT_EQ(entries.size(), 3u); // collection.anki2, media, 0
    const std::string mediaName = "house-" + NoteGuid(kHouse).substr(0, 8) + ".mp3";
    EXPECT_EQ(entries["media"], "{\"0\": \"" + mediaName + "\"}");
    EXPECT_TRUE(entries["0"] == kSoundBytes);

    const fs::path scratch = dictionary_.Dir() / "scratch";
    fs::create_directories(scratch);
    const Collection collection = ReadCollection(entries["collection.anki2"], scratch);
    EXPECT_EQ(collection.Version, 11);
    ASSERT_EQ(collection.Notes.size(), 2u);
    const Note& house = collection.Notes[0];
    ASSERT_EQ(house.Fields.size(), 4u);
    EXPECT_EQ(house.Fields[0], "house");
    EXPECT_EQ(house.Fields[1], "ha\u028As");
    EXPECT_EQ(house.Fields[2], "<i>noun</i> " + kKashtaUtf8);
    EXPECT_EQ(house.Fields[3], "[sound:" + mediaName + "]");
    EXPECT_EQ(house.SortField, "house");
    EXPECT_EQ(house.Checksum, std::stoll(Sha1Hex("house").substr(0, 8), nullptr, 16));
    EXPECT_EQ(house.Guid, NoteGuid(kHouse));
    const Note& kashta = collection.Notes[1];
    ASSERT_EQ(kashta.Fields.size(), 4u);
    EXPECT_EQ(kashta.Fields[0], kKashtaUtf8);
    EXPECT_EQ(kashta.Fields[1], kKashtaUtf8);
    EXPECT_EQ(kashta.Fields[2], "house");
    EXPECT_EQ(kashta.Fields[3], "");

    ASSERT_EQ(collection.Cards.size(), 4u);
    const std::int64_t deckId = std::get<1>(collection.Cards[0]);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::get<1>(collection.Cards[i]), deckId);
        EXPECT_EQ(std::get<2>(collection.Cards[i]), static_cast<int>(i % 2)); // both directions
        EXPECT_EQ(std::get<3>(collection.Cards[i]), 0);                       // new
        EXPECT_EQ(std::get<4>(collection.Cards[i]), 0);
    }
    EXPECT_NE(collection.Decks.find("\"" + std::to_string(deckId) + "\""), std::string::npos);
    EXPECT_NE(collection.Decks.find("\"Study list\""), std::string::npos);
    EXPECT_NE(collection.Models.find("\"" + std::to_string(house.Model) + "\""), std::string::npos);
    for (const char* field : {"\"Word\"", "\"Transcription\"", "\"Translation\"", "\"Sound\""}) {
        EXPECT_NE(collection.Models.find(field), std::string::npos) << field;
    }
    EXPECT_EQ(collection.Revlog, 0);
    EXPECT_EQ(collection.Graves, 0);
    // Nothing but the package is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 1);
}

TEST_F(ExportTest, TheSameWordsExportedAgainKeepTheirNotesInANewDeck) {
    const auto first = Export({kHouse, kKashta, "hot"}, out_ / "first.apkg");
    const auto second = Export({"hot", kHouse}, out_ / "second.apkg", kFirstExportMs + 86'400'000);
    ASSERT_TRUE(first.Ok());
    ASSERT_TRUE(second.Ok());
    const fs::path scratchA = out_ / "a", scratchB = out_ / "b";
    fs::create_directories(scratchA);
    fs::create_directories(scratchB);
    const Collection a = ReadCollection(Unzip(out_ / "first.apkg")["collection.anki2"], scratchA);
    const Collection b = ReadCollection(Unzip(out_ / "second.apkg")["collection.anki2"], scratchB);
    std::map<std::string, std::string> guidsA, guidsB;
    for (const Note& note : a.Notes) {
        guidsA[note.Fields[0]] = note.Guid;
    }
    for (const Note& note : b.Notes) {
        guidsB[note.Fields[0]] = note.Guid;
    }
    EXPECT_EQ(guidsA["house"], guidsB["house"]);
    EXPECT_EQ(guidsA["hot"], guidsB["hot"]);
    EXPECT_NE(guidsA["hot"], guidsA["house"]);
    EXPECT_EQ(a.Notes[0].Model, b.Notes[0].Model);
    EXPECT_NE(std::get<1>(a.Cards[0]), std::get<1>(b.Cards[0])); // a deck of its own
    // "House" and "house" are two notes.
    EXPECT_NE(NoteGuid("House"), NoteGuid(kHouse));
}

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyWhenAskedTo) {
    const fs::path file = out_ / "list.apkg";
    std::ofstream(file) << "mine";
    const TExportResult refused = Export({kHouse}, file);
    EXPECT_EQ(refused.Status, TExportStatus::Exists);
    EXPECT_EQ(ReadBytes(file), "mine");
    const TExportResult replaced = Export({kHouse}, file, kFirstExportMs, true);
    ASSERT_TRUE(replaced.Ok()) << replaced.Detail;
    EXPECT_EQ(Unzip(file).size(), 3u);
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 1);
}

TEST_F(ExportTest, AFolderThatCannotBeWrittenIsReportedAndLeavesNothing) {
    std::ofstream(out_ / "file") << "x";
    for (const fs::path& file : {out_ / "file" / "list.apkg", out_ / "missing" / "list.tsv"}) {
        const TExportResult result = Export({kHouse}, file);
        EXPECT_EQ(result.Status, TExportStatus::Unwritable) << file;
        EXPECT_FALSE(result.Detail.empty());
        EXPECT_EQ(result.File, file);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 1);
}

TEST_F(ExportTest, AListWithoutHeadWordsWritesNothingAndNamesThem) {
    for (const char* name : {"list.apkg", "list.tsv"}) {
        const TExportResult result = Export({"hous", "xyz", ""}, out_ / name);
        EXPECT_EQ(result.Status, TExportStatus::NothingToWrite);
        EXPECT_EQ(result.LeftOut, (std::vector<std::string>{"hous", "xyz", ""}));
        EXPECT_FALSE(fs::exists(out_ / name));
    }
}

TEST_F(ExportTest, TabSeparatedTextHoldsTheSameFieldsInUtf8) {
    const fs::path file = out_ / "list.tsv";
    const TExportResult result = Export({kKashta, kHouse, "House"}, file);
    ASSERT_TRUE(result.Ok()) << result.Detail;
    EXPECT_EQ(result.Notes, 3);
    EXPECT_EQ(result.Sounds, 1);
    const std::string sound = fs::path(dictionary_.Dir() / "wave" / "h" / "2.mp3").string();
    EXPECT_EQ(ReadBytes(file), "#separator:tab\n#html:true\n"
                               "#columns:Word\tTranscription\tTranslation\tSound\n" +
                                   kKashtaUtf8 + "\t" + kKashtaUtf8 +
                                   "\thouse\t\n"
                                   "house\tha\u028As\t<i>noun</i> " +
                                   kKashtaUtf8 + "\t" + sound +
                                   "\nHouse\tha\u028As\tthe House\t\n");
}

TEST_F(ExportTest, OnlyAnEntryThatIsExactlyAHeadWordIsAWord) {
    TDictionaryWords words(lookup_, dictionary_.Dir());
    EXPECT_FALSE(words.Find("hous"));
    EXPECT_FALSE(words.Find("HOUSE"));
    EXPECT_FALSE(words.Find(""));
    EXPECT_FALSE(words.Find("@"));
    const auto house = words.Find("House");
    ASSERT_TRUE(house);
    EXPECT_EQ(house->HeadWord, "House");
    EXPECT_TRUE(house->Sound.empty()); // the third record: wave/h/3.mp3 does not exist
    const auto hot = words.Find("hot");
    ASSERT_TRUE(hot);
    EXPECT_EQ(hot->Transcription, "h\u0252t");
    EXPECT_NE(hot->ArticleRtf.find("hot ["), std::string::npos);
}
