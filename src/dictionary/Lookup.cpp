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

std::string ReadArticle(const DictionaryIndex& index, int tab, const IndexRecord& record,
                        std::string* problem) {
    std::string article;
    const std::filesystem::path path = index.ArticlePath(tab, record);
    const auto say = [&](const std::string& text) {
        if (problem != nullptr) {
            *problem = text;
        }
    };
    const std::string where = "the article of \"" + platform::Cp1251ToUtf8(record.HeadWord()) +
                              "\" (offset " + std::to_string(record.ArticleOffset) + ", size " +
                              std::to_string(record.ArticleSize) + ")";
    say({});
    if (record.ArticleSize <= 0 || record.ArticleOffset < 0) {
        say("Index file \"" + index.IndexPath(tab).string() + "\" gives no place for " + where +
            ".");
        return article;
    }
    errno = 0;
    TCryptStream stream(path.string(), record.IsBase != 0, 0);
    if (!stream.IsOpen()) {
        const int opened = errno;
        const int kind = platform::CheckRegularFile(path);
        say("Cannot open file \"" + path.string() + "\". " +
            platform::FileErrorText(kind != 0 && kind != ENOENT ? kind : opened) + ".");
        return article;
    }
    if (stream.Seek(record.ArticleOffset, 0) != record.ArticleOffset) {
        say("File \"" + path.string() + "\" ends before " + where + ".");
        return article;
    }
    stream.SetRemaining(record.ArticleSize);
    // Read in chunks so that a damaged size never allocates more than the
    // file actually holds.
    constexpr std::int32_t kChunk = 64 * 1024;
    while (stream.Remaining() > 0) {
        const std::int32_t want = std::min(stream.Remaining(), kChunk);
        const std::size_t old = article.size();
        article.resize(old + static_cast<std::size_t>(want));
        const std::int32_t got = stream.Read(article.data() + old, want);
        article.resize(old + static_cast<std::size_t>(got));
        if (got < want) {
            say("File \"" + path.string() + "\" ends before the end of " + where + ".");
            break;
        }
    }
    return article;
}

} // namespace dictionary
