#include "dictool/Verify.h"

#include "dictionary/CryptStream.h"
#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TemporaryFiles.h"
#include "rtf/RtfReader.h"

#include <algorithm>
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
    if (!stream.IsOpen()) {
        failure = errno != 0 ? errno : EIO;
        return -1;
    }
    if (const std::int32_t end = stream.Seek(0, 2); end >= 0) {
        return end;
    }
    // The stream's positions stop at 2 GB, but offsets below that reach
    // articles beyond it. Only a plain file can be that long (an LZ file
    // expands to far less), so it delivers its own length.
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(path, ec);
    if (ec) {
        failure = ec.value();
        return -1;
    }
    return static_cast<std::int64_t>(length);
}

// Bytes of a letter's user article file that no record of its index points
// to: a note when there are any.
void NoteUnreferencedUserBytes(const dictionary::DictionaryIndex& index, int tab,
                               std::vector<std::string>& notes) {
    const auto path =
        platform::ResolvePath(index.StartDir(), dictionary::ArticleFragment(tab, false));
    if (!platform::CheckRegularFile(path).Ok()) {
        return;
    }
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    if (ec) {
        return;
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> spans;
    const auto& letter = index.Letter(tab);
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        const dictionary::TArticleRef& article = letter.Article(p);
        if (article.IsBase == 0 && article.ArticleOffset >= 0 && article.ArticleSize > 0) {
            spans.emplace_back(article.ArticleOffset,
                               std::int64_t{article.ArticleOffset} + article.ArticleSize);
        }
    }
    std::sort(spans.begin(), spans.end());
    std::int64_t covered = 0;
    std::int64_t reach = 0; // the end of the spans so far
    for (const auto& [from, to] : spans) {
        const std::int64_t start = std::max(from, reach);
        const std::int64_t end = std::min(to, size);
        if (end > start) {
            covered += end - start;
        }
        reach = std::max(reach, to);
    }
    const std::int64_t unreferenced = size - covered;
    if (unreferenced > 0) {
        const std::int64_t atEnd = size - std::min(reach, size);
        notes.push_back(path.string() + ": " + std::to_string(unreferenced) +
                        " bytes that no record points to, " + std::to_string(atEnd) +
                        " of them at its end (left by interrupted saves, or by words taken out "
                        "of the index)");
    }
}

void NoteTemporaryFiles(const std::filesystem::path& folder, std::vector<std::string>& notes) {
    for (const platform::TTemporaryFile& file : platform::FindTemporaryFiles(folder)) {
        notes.push_back(
            file.Path.string() + ": " + std::to_string(file.Bytes) + " bytes " +
            (file.Stale
                 ? "left by an interrupted save of " + file.Target.filename().string() +
                       "; the next save into the folder removes it"
                 : "of a save of " + file.Target.filename().string() + " that is still running"));
    }
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
        NoteTemporaryFiles(dir / folder, report.Notes);
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
        NoteUnreferencedUserBytes(index, tab, report.Notes);
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
