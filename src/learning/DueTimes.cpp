#include "learning/DueTimes.h"

#include "platform/FileIo.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

namespace learning {

namespace {

constexpr std::string_view kHeading = "due times 1";
// Ten thousand words take under 200 kB; a larger file is no file of ours.
constexpr std::uintmax_t kMaxBytes = 8u << 20;

// What the file system says of one file: its size and last change, or "-"
// when it does not exist.
std::string Stamp(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        return "-";
    }
    const auto changed = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return "-";
    }
    return std::to_string(size) + " " + std::to_string(changed.time_since_epoch().count());
}

std::filesystem::path Sibling(const std::filesystem::path& file, std::string_view suffix) {
    std::filesystem::path sibling = file;
    sibling += suffix;
    return sibling;
}

// The record and its log as they are now: the first two lines of the file.
std::string Stamps(const std::filesystem::path& record) {
    return Stamp(record) + "\n" + Stamp(Sibling(record, "-wal")) + "\n";
}

} // namespace

std::filesystem::path DueTimesFile(const std::filesystem::path& record) {
    return Sibling(record, ".due");
}

void WriteDueTimes(const std::filesystem::path& record, const std::vector<std::int64_t>& dueMs) {
    std::string bytes = std::string(kHeading) + "\n" + Stamps(record);
    for (const std::int64_t due : dueMs) {
        bytes += std::to_string(due);
        bytes += '\n';
    }
    // Made again whenever it is missing: not worth a flush to the disk.
    platform::TAtomicWriteOptions options;
    options.Durable = false;
    if (!platform::WriteFileAtomically(DueTimesFile(record), bytes, options).Ok()) {
        ForgetDueTimes(record);
    }
}

std::optional<std::vector<std::int64_t>> ReadDueTimes(const std::filesystem::path& record) {
    std::string bytes;
    if (!platform::ReadWholeFile(DueTimesFile(record), bytes, kMaxBytes).Ok()) {
        return std::nullopt;
    }
    const std::string expected = std::string(kHeading) + "\n" + Stamps(record);
    if (bytes.compare(0, expected.size(), expected) != 0) {
        return std::nullopt;
    }
    std::vector<std::int64_t> dueMs;
    std::string_view rest = std::string_view(bytes).substr(expected.size());
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt; // cut short
        }
        std::int64_t due = 0;
        const auto [last, error] = std::from_chars(rest.data(), rest.data() + end, due);
        if (error != std::errc() || last != rest.data() + end) {
            return std::nullopt;
        }
        dueMs.push_back(due);
        rest.remove_prefix(end + 1);
    }
    return dueMs;
}

int CountDue(const std::vector<std::int64_t>& dueMs, TTime now) {
    const std::int64_t nowMs = ToMs(now);
    return static_cast<int>(std::count_if(dueMs.begin(), dueMs.end(),
                                          [nowMs](std::int64_t due) { return due <= nowMs; }));
}

void ForgetDueTimes(const std::filesystem::path& record) {
    std::error_code ec;
    std::filesystem::remove(DueTimesFile(record), ec);
}

} // namespace learning
