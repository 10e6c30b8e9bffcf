#include "dictool/Verify.h"

#include "dictionary/CryptStream.h"
#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "rtf/RtfReader.h"

#include <cerrno>
#include <map>

namespace dictool {
namespace {

// Enough lines of one kind to see the pattern without flooding the terminal.
constexpr std::size_t kMaxLinesPerKind = 10;

class Problems {
public:
    explicit Problems(std::vector<std::string>& out) : out_(out) {}
    ~Problems() {
        for (const auto& [kind, count] : counts_) {
            if (count > kMaxLinesPerKind) {
                out_.push_back("... and " + std::to_string(count - kMaxLinesPerKind) +
                               " more: " + kind);
            }
        }
    }
    void Add(const std::string& kind, const std::string& where) {
        if (++counts_[kind] <= kMaxLinesPerKind) {
            out_.push_back(where + ": " + kind);
        }
    }

private:
    std::vector<std::string>& out_;
    std::map<std::string, std::size_t> counts_;
};

// The length of an article file as the article stream delivers it; -1 (and
// why) when the stream cannot open it.
std::int64_t DeliveredLength(const std::filesystem::path& path, int& failure) {
    errno = 0;
    dictionary::TCryptStream stream(path.string(), false, 0);
    if (stream.Handle < 0) {
        failure = errno != 0 ? errno : EIO;
        return -1;
    }
    return stream.Seek(0, 2);
}

} // namespace

VerifyReport VerifyDictionary(const std::filesystem::path& dir) {
    VerifyReport report;
    Problems problems(report.Problems);
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        problems.Add(std::filesystem::exists(dir, ec) ? "not a folder" : "no such folder",
                     dir.string());
        return report;
    }
    for (const char* folder : {"eg", "bg"}) {
        if (!std::filesystem::is_directory(dir / folder)) {
            problems.Add("folder missing", (dir / folder).string());
        }
    }
    dictionary::DictionaryIndex index;
    const dictionary::LoadReport load = index.Load(dir);
    for (const auto& path : load.Missing) {
        problems.Add("index file missing", path);
    }
    for (const auto& path : load.Unreadable) {
        problems.Add("index file unreadable", path);
    }
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const auto& letter = index.Letter(tab);
        const std::string indexName = index.IndexPath(tab).string();
        report.Records += letter.Size();
        // The index keeps no bytes that readers ignore: the file itself shows
        // what a damaged writer left in them.
        std::vector<char> file;
        // An unreadable index is reported with its letter below; here it has
        // no bytes.
        static_cast<void>(
            platform::ReadWholeFile(index.IndexPath(tab), file, dictionary::kMaxIndexFileBytes));
        if (file.size() % sizeof(dictionary::IndexRecord) != 0) {
            problems.Add(std::to_string(file.size() % sizeof(dictionary::IndexRecord)) +
                             " trailing bytes that make no whole record",
                         indexName);
        }
        std::map<bool, std::int64_t> fileLength;
        std::map<bool, std::string> fileProblem;
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            const dictionary::IndexRecord record = letter.Record(p);
            const std::string where = indexName + " #" + std::to_string(p) + " \"" +
                                      platform::Cp1251ToUtf8(record.HeadWord()) + "\"";
            const std::size_t lengthByte = p * sizeof(dictionary::IndexRecord);
            if (lengthByte < file.size() &&
                static_cast<std::uint8_t>(file[lengthByte]) > dictionary::kMaxHeadWordLength) {
                problems.Add("head-word length byte above 101", where);
            }
            if (dictionary::TabOfWord(record.HeadWord()) != tab) {
                problems.Add("head-word does not belong to this letter", where);
            }
            const bool isBase = record.IsBase != 0;
            const auto articlePath = index.ArticlePath(tab, record);
            if (!fileLength.contains(isBase)) {
                // Looked at before it is opened: opening creates a missing file.
                int usable = platform::CheckRegularFile(articlePath).Errno();
                fileLength[isBase] = usable == 0 ? DeliveredLength(articlePath, usable) : -1;
                fileProblem[isBase] = usable == ENOENT
                                          ? "article file missing: " + articlePath.string()
                                          : "article file unusable: " + articlePath.string() +
                                                " (" + platform::FileErrorText(usable) + ")";
            }
            if (fileLength[isBase] < 0) {
                problems.Add(fileProblem[isBase], where);
                continue;
            }
            if (record.ArticleOffset < 0 || record.ArticleSize <= 0 ||
                static_cast<std::int64_t>(record.ArticleOffset) + record.ArticleSize >
                    fileLength[isBase]) {
                problems.Add("article offset or size outside " + articlePath.filename().string(),
                             where);
                continue;
            }
            const std::string article = dictionary::ReadArticle(index, tab, record);
            if (rtf::RtfDocumentLength(article) != article.size()) {
                problems.Add("article is not one complete RTF document", where);
            }
        }
    }
    return report;
}

} // namespace dictool
