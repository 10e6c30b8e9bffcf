#include "dictool/LetterFiles.h"

#include "platform/FileIo.h"
#include "platform/LzFile.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dictool {
namespace {

// New articles start on a block boundary, so that the old ones before them
// can be punched out whole.
constexpr std::int64_t kBlock = 4096;
constexpr std::int64_t kChunk = 1 << 16;

struct Span {
    std::int64_t From = 0;
    std::int64_t To = 0;
};

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int failure) {
    throw std::runtime_error("cannot " + what + " " + path.string() + ": " +
                             platform::FileErrorText(failure));
}

// The bytes of the article file that the base records of an index point to,
// in order, overlapping ones merged.
std::vector<Span> ReferencedSpans(std::string_view index) {
    std::vector<Span> spans;
    for (std::size_t at = 0; at + sizeof(dictionary::IndexRecord) <= index.size();
         at += sizeof(dictionary::IndexRecord)) {
        dictionary::IndexRecord record;
        std::memcpy(&record, index.data() + at, sizeof record);
        if (record.IsBase != 0 && record.ArticleOffset >= 0 && record.ArticleSize > 0) {
            spans.push_back(
                {record.ArticleOffset, std::int64_t{record.ArticleOffset} + record.ArticleSize});
        }
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.From < b.From; });
    std::vector<Span> merged;
    for (const Span& span : spans) {
        if (!merged.empty() && span.From <= merged.back().To) {
            merged.back().To = std::max(merged.back().To, span.To);
        } else {
            merged.push_back(span);
        }
    }
    return merged;
}

// Cuts the spans where the article file ends, as the reader delivers it;
// none are left when there is no readable file.
void ClampToFile(const std::filesystem::path& path, std::vector<Span>& spans) {
    std::int64_t length = -1;
    const int handle = platform::LZOpenFile(path.string());
    if (handle >= 0) {
        length = platform::LZSeek(handle, 0, 2);
        platform::LZClose(handle);
        if (length < 0) {
            // Past 2 GB, which only a plain file reaches.
            std::error_code ec;
            const std::uintmax_t size = std::filesystem::file_size(path, ec);
            length = ec ? -1 : static_cast<std::int64_t>(size);
        }
    }
    for (Span& span : spans) {
        span.To = std::min(span.To, length);
    }
    std::erase_if(spans, [](const Span& span) { return span.To <= span.From; });
}

int WriteAt(int fd, const char* bytes, std::int64_t count, std::int64_t offset) {
    while (count > 0) {
        const ssize_t n = ::pwrite(fd, bytes, static_cast<std::size_t>(count), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0 ? ENOSPC : errno;
        }
        bytes += n;
        count -= n;
        offset += n;
    }
    return 0;
}

// Copies the spans of the old article file, as the reader delivers them (an
// LZ file expanded), to the same places of fd; a span is cut where the old
// file ends. 0 or an errno of writing.
int CopySpans(const std::filesystem::path& oldFile, std::vector<Span>& spans, int fd) {
    const int handle = platform::LZOpenFile(oldFile.string());
    if (handle < 0) {
        spans.clear();
        return 0;
    }
    std::string buffer(static_cast<std::size_t>(kChunk), '\0');
    int failure = 0;
    for (Span& span : spans) {
        std::int64_t done = span.From;
        if (platform::LZSeek(handle, static_cast<std::int32_t>(span.From), 0) == span.From) {
            while (done < span.To && failure == 0) {
                const int n = platform::LZRead(handle, buffer.data(),
                                               static_cast<int>(std::min(kChunk, span.To - done)));
                if (n <= 0) {
                    break;
                }
                failure = WriteAt(fd, buffer.data(), n, done);
                done += n;
            }
        }
        span.To = done;
    }
    platform::LZClose(handle);
    std::erase_if(spans, [](const Span& span) { return span.To <= span.From; });
    return failure;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the article file beside its old one and renames it over it: the kept
// spans of the old file at their places, the new articles at offset.
void WriteArticleFile(const std::filesystem::path& path, std::vector<Span>& kept,
                      std::string_view articles, std::int64_t offset, bool durable) {
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
    }
    std::filesystem::path temporary;
    const int fd = platform::CreateTemporaryFile(path, mode, temporary);
    if (fd < 0) {
        Fail("create a file beside", path, errno);
    }
    int failure = CopySpans(path, kept, fd);
    if (failure == 0) {
        failure = WriteAt(fd, articles.data(), static_cast<std::int64_t>(articles.size()), offset);
    }
    if (failure == 0 && durable && ::fsync(fd) != 0) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        Fail("write", path, failure);
    }
    if (durable) {
        // The index that switches the letter must not reach the disk first.
        SyncFolder(path.parent_path());
    }
}

// Gives the old articles' bytes back to the disk once no index points to
// them. A file system that cannot punch holes keeps them: they are harmless,
// and the next build leaves them out.
void TrimOldArticles(const std::filesystem::path& path, std::int64_t offset, std::int64_t newSize) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    if (offset == 0) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, newSize);
    } else {
        [[maybe_unused]] const int punched =
            ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, 0, offset);
    }
    ::close(fd);
}

} // namespace

void ReplaceLetterFiles(const std::filesystem::path& articlePath,
                        const std::filesystem::path& indexPath, std::string_view currentIndex,
                        std::string_view newArticles,
                        std::vector<dictionary::IndexRecord>& records) {
    std::vector<Span> kept = ReferencedSpans(currentIndex);
    ClampToFile(articlePath, kept);
    const auto newSize = static_cast<std::int64_t>(newArticles.size());
    // Before the old articles when they fit there, else after them.
    std::int64_t offset = 0;
    if (!kept.empty() && newSize > kept.front().From) {
        offset = (kept.back().To + kBlock - 1) / kBlock * kBlock;
    }
    if (offset + newSize > INT32_MAX) {
        throw std::runtime_error(
            "the new articles of " + articlePath.filename().string() +
            " do not fit beside the old ones below 2 GB, so the letter could not be replaced "
            "safely; nothing of it was changed");
    }
    const bool userWords = std::any_of(records.begin(), records.end(),
                                       [](const auto& record) { return record.IsBase == 0; });
    // A folder with nothing to lose is not worth the flushes.
    const bool durable = !kept.empty() || userWords;

    WriteArticleFile(articlePath, kept, newArticles, offset, durable);
    for (dictionary::IndexRecord& record : records) {
        if (record.IsBase != 0) {
            record.ArticleOffset += static_cast<std::int32_t>(offset);
        }
    }
    const std::string_view index(reinterpret_cast<const char*>(records.data()),
                                 records.size() * sizeof(dictionary::IndexRecord));
    if (const auto written = platform::WriteFileAtomically(indexPath, index, {{}, durable});
        !written.Ok()) {
        Fail("write", indexPath, written.Errno());
    }
    if (!kept.empty()) {
        TrimOldArticles(articlePath, offset, newSize);
    }
}

} // namespace dictool
