#include "dictionary/LetterIndex.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace dictionary {

namespace {

constexpr std::size_t kRecordBytes = sizeof(IndexRecord);

// The fields of the record that starts at bytes, read without assuming any
// alignment; the head-word's length is clamped as IndexRecord::HeadWord does.
std::string_view HeadWordAt(const char* bytes) {
    const std::size_t length = std::min<std::size_t>(static_cast<std::uint8_t>(bytes[0]),
                                                     static_cast<std::size_t>(kMaxHeadWordLength));
    return {bytes + offsetof(IndexRecord, HeadWordChars), length};
}

TArticleRef ArticleAt(const char* bytes) {
    TArticleRef article;
    std::memcpy(&article.ArticleOffset, bytes + offsetof(IndexRecord, ArticleOffset),
                sizeof article.ArticleOffset);
    std::memcpy(&article.ArticleSize, bytes + offsetof(IndexRecord, ArticleSize),
                sizeof article.ArticleSize);
    article.IsBase = static_cast<std::uint8_t>(bytes[offsetof(IndexRecord, IsBase)]);
    return article;
}

// A copy of this many bytes stays inside any record's head-word characters.
constexpr std::size_t kShortWord = 16;
static_assert(kShortWord <= kMaxHeadWordLength);

bool InHeadWordOrder(const std::vector<std::string_view>& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (HeadWordLess(words[i], words[i - 1])) {
            return false;
        }
    }
    return true;
}

} // namespace

void LetterIndex::Assign(std::span<const char> fileContent, bool english) {
    english_ = english;
    fileSize_ = fileContent.size();
    const std::size_t count = fileContent.size() / kRecordBytes;
    const char* const first = fileContent.data();

    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        total += HeadWordAt(first + i * kRecordBytes).size();
    }
    // Fresh vectors, so that each holds exactly what it needs.
    std::vector<char> bytes(total);
    std::vector<std::string_view> words;
    std::vector<TArticleRef> articles;
    words.reserve(count);
    articles.reserve(count);
    char* next = bytes.data();
    char* const end = next + total;
    for (std::size_t i = 0; i < count; ++i) {
        const char* record = first + i * kRecordBytes;
        const std::string_view word = HeadWordAt(record);
        // Most head-words are short: a fixed-size copy is one instruction and
        // may run past the word, into the record's own unused bytes on the
        // one side and the next word's room on the other.
        if (word.size() <= kShortWord && static_cast<std::size_t>(end - next) >= kShortWord) {
            std::memcpy(next, word.data(), kShortWord);
        } else if (!word.empty()) {
            std::memcpy(next, word.data(), word.size());
        }
        words.emplace_back(next, word.size());
        next += word.size();
        articles.push_back(ArticleAt(record));
    }
    headWordBytes_ = std::move(bytes);
    insertedBytes_.clear();
    headWords_ = std::move(words);
    articles_ = std::move(articles);
    order_ = TOrder::Unknown;
    CountSounds();
}

void LetterIndex::Insert(std::size_t p, const IndexRecord& record) {
    p = std::min(p, Size());
    const std::string_view word = record.HeadWord();
    // Everything that can fail to allocate comes first, so that a failure
    // leaves the letter as it was.
    headWords_.reserve(Size() + 1);
    articles_.reserve(Size() + 1);
    insertedBytes_.reserve(insertedBytes_.size() + 1);
    if (english_) {
        soundNumbers_.reserve(Size() + 1);
    }
    auto bytes = std::make_unique<char[]>(word.size());
    std::copy(word.begin(), word.end(), bytes.get());
    const std::string_view saved(bytes.get(), word.size());
    insertedBytes_.push_back(std::move(bytes));

    const auto offset = static_cast<std::ptrdiff_t>(p);
    if (order_ == TOrder::Sorted && ((p > 0 && HeadWordLess(saved, headWords_[p - 1])) ||
                                     (p < Size() && HeadWordLess(headWords_[p], saved)))) {
        order_ = TOrder::Unsorted;
    }
    headWords_.insert(headWords_.begin() + offset, saved);
    articles_.insert(articles_.begin() + offset,
                     {record.ArticleOffset, record.ArticleSize, record.IsBase});
    // The saved file holds whole records only.
    fileSize_ = Size() * kRecordBytes;
    CountSounds();
}

bool LetterIndex::Sorted() const {
    if (order_ == TOrder::Unknown) {
        order_ = InHeadWordOrder(headWords_) ? TOrder::Sorted : TOrder::Unsorted;
    }
    return order_ == TOrder::Sorted;
}

IndexRecord LetterIndex::Record(std::size_t p) const {
    IndexRecord record;
    const TArticleRef& article = articles_[p];
    MakeRecord(record, headWords_[p], article.ArticleOffset, article.ArticleSize, article.IsBase);
    return record;
}

bool LetterIndex::MatchesFile(std::span<const char> fileContent) const {
    if (fileContent.size() != fileSize_ || fileContent.size() / kRecordBytes != Size()) {
        return false;
    }
    for (std::size_t i = 0; i < Size(); ++i) {
        const char* record = fileContent.data() + i * kRecordBytes;
        if (HeadWordAt(record) != headWords_[i] || ArticleAt(record) != articles_[i]) {
            return false;
        }
    }
    return true;
}

void LetterIndex::CountSounds() {
    soundNumbers_.clear();
    if (!english_) {
        return;
    }
    soundNumbers_.reserve(Size());
    std::uint32_t baseCount = 0;
    for (const TArticleRef& article : articles_) {
        soundNumbers_.push_back(article.IsBase != 0 ? ++baseCount : 0);
    }
}

std::string LetterIndex::SoundNumber(std::size_t p) const {
    return p < soundNumbers_.size() ? std::to_string(soundNumbers_[p]) : std::string();
}

std::string LoadReport::Message() const {
    if (NoDictionary()) {
        return "No dictionary was found in \"" + StartDir.string() +
               "\": its folders eg and bg hold none of the 58 index files.";
    }
    std::string text;
    auto list = [&text](const char* what, const std::vector<std::string>& names) {
        if (names.empty()) {
            return;
        }
        text += text.empty() ? "" : "\n";
        text += what;
        for (std::size_t i = 0; i < names.size(); ++i) {
            text += (i == 0 ? " " : ", ") + names[i];
        }
        text += ".";
    };
    list("These index files are missing, their letters are empty:", Missing);
    list("These index files cannot be read, their letters are empty:", Unreadable);
    return text;
}

LoadReport DictionaryIndex::Load(const std::filesystem::path& startDir, const Progress& progress) {
    startDir_ = startDir;
    LoadReport report;
    report.StartDir = startDir;
    // One buffer for all files: each letter keeps only what it parsed out of
    // it, and the buffer goes when the load ends.
    std::vector<char> content;
    for (int tab = 0; tab < kLetterCount; ++tab) {
        if (progress && !IsEnglishTab(tab)) {
            progress(tab, LoadStep::BeforeRead);
        }
        const std::filesystem::path path = IndexPath(tab);
        const int failure = platform::ReadWholeFileInto(path, content, kMaxIndexFileBytes).Errno();
        if (failure == ENOENT) {
            report.Missing.push_back(path.string());
        } else if (failure != 0) {
            report.Unreadable.push_back(path.string() + " (" + platform::FileErrorText(failure) +
                                        ")");
        }
        letters_[static_cast<std::size_t>(tab)].Assign(content, IsEnglishTab(tab));
        if (progress) {
            progress(tab, LoadStep::AfterRead);
        }
    }
    return report;
}

std::filesystem::path DictionaryIndex::IndexPath(int tab) const {
    return platform::ResolvePath(startDir_, IndexFragment(tab));
}

std::filesystem::path DictionaryIndex::ArticlePath(int tab, const IndexRecord& record) const {
    return platform::ResolvePath(startDir_, ArticleFragment(tab, record.IsBase != 0));
}

} // namespace dictionary
