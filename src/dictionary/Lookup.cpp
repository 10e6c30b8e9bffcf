#include "dictionary/Lookup.h"

#include "dictionary/CryptStream.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"

#include <algorithm>
#include <cerrno>

namespace dictionary {

int FindWord(const std::vector<std::string_view>& headWords, std::string_view word) {
    if (word.empty()) {
        return headWords.empty() ? -1 : 0;
    }
    const std::uint8_t first = platform::Cp1251Lower(static_cast<std::uint8_t>(word.front()));
    for (std::size_t i = 0; i < headWords.size(); ++i) {
        const std::string_view head = headWords[i];
        if (!head.empty() &&
            platform::Cp1251Lower(static_cast<std::uint8_t>(head.front())) == first &&
            platform::StartsWithNoCase(head, word)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {

TArticleRead ReadArticleFrom(const std::filesystem::path& file,
                             const std::filesystem::path& indexFile, const IndexRecord& record) {
    TArticleRead read;
    read.File = file;
    if (record.ArticleSize <= 0 || record.ArticleOffset < 0) {
        read.Fault = TArticleFault::NoPlace;
        read.File = indexFile;
        return read;
    }
    errno = 0;
    TCryptStream stream(read.File.string(), record.IsBase != 0, 0);
    if (!stream.IsOpen()) {
        const int opened = errno;
        const int kind = platform::CheckRegularFile(read.File).Errno();
        read.Fault = TArticleFault::CannotOpen;
        read.Errno = kind != 0 && kind != ENOENT ? kind : opened;
        return read;
    }
    if (stream.Seek(record.ArticleOffset, 0) != record.ArticleOffset) {
        read.Fault = TArticleFault::EndsBefore;
        return read;
    }
    stream.SetRemaining(record.ArticleSize);
    // Read in chunks so that a damaged size never allocates more than the
    // file actually holds.
    constexpr std::int32_t kChunk = 64 * 1024;
    std::string& article = read.Bytes;
    while (stream.Remaining() > 0) {
        const std::int32_t want = std::min(stream.Remaining(), kChunk);
        const std::size_t old = article.size();
        article.resize(old + static_cast<std::size_t>(want));
        const std::int32_t got = stream.Read(article.data() + old, want);
        article.resize(old + static_cast<std::size_t>(got));
        if (got < want) {
            read.Fault = TArticleFault::EndsWithin;
            break;
        }
    }
    return read;
}

} // namespace

TArticleRead ReadArticleChecked(const DictionaryIndex& index, int tab, const IndexRecord& record) {
    return ReadArticleFrom(index.ArticlePath(tab, record), index.IndexPath(tab), record);
}

TArticleRead ReadArticleChecked(const DictionaryIndex& index, int tab, std::size_t position) {
    const bool own = index.Letter(tab).Article(position).Own;
    return ReadArticleFrom(index.ArticlePath(tab, position),
                           own ? index.OwnIndexPath(tab) : index.IndexPath(tab),
                           index.Letter(tab).Record(position));
}

std::string ReadArticle(const DictionaryIndex& index, int tab, const IndexRecord& record) {
    return ReadArticleChecked(index, tab, record).Bytes;
}

std::string ReadArticle(const DictionaryIndex& index, int tab, std::size_t position) {
    return ReadArticleChecked(index, tab, position).Bytes;
}

} // namespace dictionary
