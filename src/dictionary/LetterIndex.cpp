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

void LetterIndex::Refresh(std::span<const char> fileContent) {
    retiredBytes_.push_back(std::move(headWordBytes_));
    auto inserted = std::move(insertedBytes_);
    Assign(fileContent, english_);
    insertedBytes_ = std::move(inserted);
}

void LetterIndex::Overlay(const LetterIndex& own) {
    if (own.Size() == 0) {
        return;
    }
    std::size_t total = 0;
    for (const std::string_view word : own.headWords_) {
        total += word.size();
    }
    auto bytes = std::make_unique<char[]>(std::max<std::size_t>(total, 1));
    char* next = bytes.get();
    std::vector<std::string_view> words;
    std::vector<TArticleRef> articles;
    words.reserve(Size() + own.Size());
    articles.reserve(Size() + own.Size());
    // A merge of the two lists in file order: an own word goes before the
    // first base word that sorts after it, as a save would have placed it.
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < Size() || j < own.Size()) {
        if (j < own.Size() && (i == Size() || HeadWordLess(own.headWords_[j], headWords_[i]))) {
            const std::string_view word = own.headWords_[j];
            std::copy(word.begin(), word.end(), next);
            words.emplace_back(next, word.size());
            next += word.size();
            TArticleRef article = own.articles_[j];
            article.Own = true;
            articles.push_back(article);
            ++j;
        } else {
            words.push_back(headWords_[i]);
            articles.push_back(articles_[i]);
            ++i;
        }
    }
    insertedBytes_.push_back(std::move(bytes));
    headWords_ = std::move(words);
    articles_ = std::move(articles);
    order_ = TOrder::Unknown;
    CountSounds();
}

void LetterIndex::RemoveOwn() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < Size(); ++i) {
        if (!articles_[i].Own) {
            headWords_[kept] = headWords_[i];
            articles_[kept] = articles_[i];
            ++kept;
        }
    }
    headWords_.resize(kept);
    articles_.resize(kept);
    order_ = TOrder::Unknown;
    CountSounds();
}

void LetterIndex::Insert(std::size_t p, const IndexRecord& record, bool own) {
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
                     {record.ArticleOffset, record.ArticleSize, record.IsBase, own});
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
        // The user's own records never shift the numbers of the base ones.
        soundNumbers_.push_back(article.IsBase != 0 && !article.Own ? ++baseCount : 0);
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
    list("These index files of your own words cannot be read, their words are not shown:",
         OwnUnreadable);
    return text;
}

LoadReport DictionaryIndex::Load(const std::filesystem::path& startDir, const Progress& progress) {
    return Load(startDir, startDir, progress);
}

LoadReport DictionaryIndex::Load(const std::filesystem::path& startDir,
                                 const std::filesystem::path& ownDir, const Progress& progress) {
    startDir_ = startDir;
    ownDir_ = ownDir;
    // An empty own folder is nowhere: the letters get no own words, and a
    // save has nowhere to go rather than going into the start directory.
    overlaid_ = ownDir.lexically_normal() != startDir.lexically_normal();
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
        LetterIndex& letter = letters_[static_cast<std::size_t>(tab)];
        letter.Assign(content, IsEnglishTab(tab));
        LetterIndex& own = own_[static_cast<std::size_t>(tab)];
        own.Assign({}, IsEnglishTab(tab));
        if (overlaid_ && !ownDir_.empty()) {
            const std::filesystem::path ownPath = OwnIndexPath(tab);
            const int ownFailure =
                platform::ReadWholeFileInto(ownPath, content, kMaxIndexFileBytes).Errno();
            if (ownFailure != 0 && ownFailure != ENOENT) {
                report.OwnUnreadable.push_back(ownPath.string() + " (" +
                                               platform::FileErrorText(ownFailure) + ")");
            }
            own.Assign(content, IsEnglishTab(tab));
            letter.Overlay(own);
        }
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

std::filesystem::path DictionaryIndex::ArticlePath(int tab, std::size_t position) const {
    const TArticleRef& article = Letter(tab).Article(position);
    return platform::ResolvePath(article.Own ? ownDir_ : startDir_,
                                 ArticleFragment(tab, article.IsBase != 0));
}

std::filesystem::path DictionaryIndex::OwnIndexPath(int tab) const {
    return platform::ResolvePath(OwnDir(), IndexFragment(tab));
}

const LetterIndex& DictionaryIndex::OwnLetter(int tab) const {
    return overlaid_ ? own_.at(static_cast<std::size_t>(tab)) : Letter(tab);
}

void DictionaryIndex::RereadOwn(int tab, std::span<const char> fileContent) {
    LetterIndex& letter = Letter(tab);
    if (!overlaid_) {
        letter.Refresh(fileContent);
        return;
    }
    LetterIndex& own = own_.at(static_cast<std::size_t>(tab));
    letter.RemoveOwn();
    own.Refresh(fileContent);
    letter.Overlay(own);
}

void DictionaryIndex::InsertOwn(int tab, std::size_t ownPosition, std::size_t position,
                                const IndexRecord& record) {
    if (overlaid_) {
        own_.at(static_cast<std::size_t>(tab)).Insert(ownPosition, record);
    }
    Letter(tab).Insert(position, record, overlaid_);
}

} // namespace dictionary
