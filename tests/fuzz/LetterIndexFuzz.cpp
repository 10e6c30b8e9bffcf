// A letter's index file on any bytes: every head-word, sound number, look-up
// and article read must follow the file's records whatever they claim, the
// records rebuilt from memory must be the file's, and the file must still be
// recognised as the one that was read.
#include "tests/fuzz/FuzzSupport.h"

#include "dictionary/IndexRecord.h"
#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using dictionary::DictionaryIndex;
using dictionary::IndexRecord;
using dictionary::LetterIndex;

constexpr int kEnglishTab = 0;    // A
constexpr int kBulgarianTab = 26; // the first Cyrillic letter
// Reading articles opens a file each; a few records show every kind of damage.
constexpr std::size_t kArticleReads = 16;
constexpr std::size_t kArticleFileSize = 3000;

// The bytes of every article file, base (scrambled) and user (plain) alike.
const std::string& ArticleFile() {
    static const std::string bytes = [] {
        std::string made;
        for (std::size_t i = 0; i < kArticleFileSize; ++i) {
            made.push_back(static_cast<char>(i * 7 + i / 256));
        }
        return made;
    }();
    return bytes;
}

// What a record's article must read as: the part of the file it names, cut
// at the file's end, unscrambled for a base record.
std::string ExpectedArticle(const IndexRecord& record) {
    const std::int64_t offset = record.ArticleOffset;
    const std::int64_t size = record.ArticleSize;
    if (size <= 0 || offset < 0 || offset >= static_cast<std::int64_t>(kArticleFileSize)) {
        return {};
    }
    std::string article =
        ArticleFile().substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    if (record.IsBase != 0) {
        dictionary::UnscrambleInPlace(article.data(), article.size());
    }
    return article;
}

// The start-up folder: no index files, and base and user article files for
// the two letters under test.
DictionaryIndex& Index() {
    static DictionaryIndex* index = [] {
        const auto& dir = fuzz::ScratchDir();
        std::filesystem::create_directories(dir / "eg");
        std::filesystem::create_directories(dir / "bg");
        for (const char* name :
             {"eg/base_a.ref", "eg/user_a.ref", "bg/base_1.ref", "bg/user_1.ref"}) {
            fuzz::WriteFile(dir / name, ArticleFile());
        }
        auto* loaded = new DictionaryIndex;
        loaded->Load(dir);
        return loaded;
    }();
    return *index;
}

// The record at position i of the file, as the file holds it.
IndexRecord FileRecord(const std::vector<char>& file, std::size_t i) {
    IndexRecord record;
    std::memcpy(&record, file.data() + i * sizeof(IndexRecord), sizeof record);
    return record;
}

void CheckLetter(const DictionaryIndex& index, int tab, const std::vector<char>& file) {
    const LetterIndex& letter = index.Letter(tab);
    const dictionary::TLookupService service(index);
    const std::size_t count = file.size() / sizeof(IndexRecord);
    fuzz::Check(letter.Size() == count && letter.HeadWords().size() == count,
                "the record count is not the file size over the record size");
    const bool english = dictionary::IsEnglishTab(tab);
    fuzz::Check(letter.SoundNumbers().size() == (english ? count : 0), "sound numbers miscounted");

    std::uint32_t baseCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view head = letter.HeadWord(i);
        const IndexRecord inFile = FileRecord(file, i);
        const IndexRecord rebuilt = letter.Record(i);
        fuzz::Check(head == inFile.HeadWord() && rebuilt.HeadWord() == head,
                    "a head-word is not the file's");
        fuzz::Check(rebuilt.ArticleOffset == inFile.ArticleOffset &&
                        rebuilt.ArticleSize == inFile.ArticleSize &&
                        rebuilt.IsBase == inFile.IsBase,
                    "a rebuilt record names another article than the file's");
        if (english) {
            const bool base = letter.Article(i).IsBase != 0;
            baseCount += base ? 1 : 0;
            fuzz::Check(letter.SoundNumber(i) == (base ? std::to_string(baseCount) : "0"),
                        "a wrong sound number");
        }
        const int found = dictionary::FindWord(letter.HeadWords(), head);
        fuzz::Check(found >= 0 && static_cast<std::size_t>(found) <= i,
                    "a head-word is not found at or before its own position");
        fuzz::Check(service.FindPrefix(tab, head) == found,
                    "the look-up service finds another head-word than the linear rule");
        const int exact = service.FindHeadWord(tab, head);
        fuzz::Check(exact >= 0 && static_cast<std::size_t>(exact) <= i &&
                        letter.HeadWord(static_cast<std::size_t>(exact)) == head,
                    "a head-word is not found exactly at or before its own position");
    }
    fuzz::Check(letter.SoundNumber(count).empty(), "a sound number past the end");
    fuzz::Check(letter.MatchesFile(file), "the file read is not recognised");
    if (!file.empty()) {
        std::vector<char> changed = file;
        changed.push_back('\0');
        fuzz::Check(!letter.MatchesFile(changed), "a longer file is taken for the one read");
    }

    for (std::size_t i = 0; i < std::min(count, kArticleReads); ++i) {
        const IndexRecord record = letter.Record(i);
        fuzz::Check(dictionary::ReadArticle(index, tab, record) == ExpectedArticle(record),
                    "an article reads other bytes than its record names");
    }

    for (std::size_t i = 0; i < std::min<std::size_t>(count, 4); ++i) {
        const std::string text = "  " + std::string(letter.HeadWord(i)) + " more";
        if (const auto found = service.FindText(text)) {
            fuzz::Check(dictionary::IsValidTab(found->Tab), "a shortening find on no letter");
            fuzz::Check(found->Position < static_cast<int>(index.Letter(found->Tab).Size()),
                        "a shortening find past the letter's end");
            fuzz::Check((found->Position < 0) == found->Word.empty(),
                        "a shortening find with a position but no word");
        }
    }
}

void CheckInsert(LetterIndex& letter, const std::vector<char>& file) {
    const std::size_t before = letter.Size();
    std::vector<std::string> heads(letter.HeadWords().begin(), letter.HeadWords().end());
    const std::vector<std::string_view> views = letter.HeadWords();
    IndexRecord record{};
    fuzz::Check(dictionary::MakeRecord(record, "inserted", 5, 7, 0), "MakeRecord refused a word");
    const std::size_t p = before / 2;
    letter.Insert(p, record);
    fuzz::Check(letter.Size() == before + 1, "an insert did not add one record");
    fuzz::Check(letter.HeadWord(p) == "inserted", "the inserted record is not at its place");
    for (std::size_t i = 0; i < before; ++i) {
        fuzz::Check(letter.HeadWord(i < p ? i : i + 1) == heads[i],
                    "an insert moved other records");
        fuzz::Check(views[i] == heads[i], "an insert changed the bytes of a head-word seen before");
    }
    // The file a save writes: the whole records with the new one among them.
    std::vector<char> saved(
        file.begin(), file.begin() + static_cast<std::ptrdiff_t>(before * sizeof(IndexRecord)));
    const auto* bytes = reinterpret_cast<const char*>(&record);
    saved.insert(saved.begin() + static_cast<std::ptrdiff_t>(p * sizeof(IndexRecord)), bytes,
                 bytes + sizeof record);
    fuzz::Check(letter.MatchesFile(saved), "the file a save writes is not recognised");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DictionaryIndex& index = Index();
    const std::vector<char> bytes(data, data + size);
    for (const int tab : {kEnglishTab, kBulgarianTab}) {
        index.Letter(tab).Assign(bytes, dictionary::IsEnglishTab(tab));
    }
    for (const int tab : {kEnglishTab, kBulgarianTab}) {
        CheckLetter(index, tab, bytes);
    }
    for (const int tab : {kEnglishTab, kBulgarianTab}) {
        CheckInsert(index.Letter(tab), bytes);
    }
    return 0;
}
