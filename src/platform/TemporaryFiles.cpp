#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::string_view kSuffix = ".tmp";

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// The first eight hexadecimal digits of this boot's id: a process of an
// earlier boot has ended, whatever its id. "0" where the system does not say.
const std::string& BootId() {
    static const std::string id = [] {
        std::ifstream in("/proc/sys/kernel/random/boot_id");
        std::string line;
        std::getline(in, line);
        std::string digits;
        for (const char c : line) {
            if (std::isxdigit(static_cast<unsigned char>(c)) != 0 && digits.size() < 8) {
                digits += c;
            }
        }
        return digits.size() == 8 ? digits : std::string("0");
    }();
    return id;
}

bool ProcessExists(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// When the process started, in clock ticks since the boot: 0 and the start,
// ENOENT when there is no such process, another errno when it cannot be told.
int ProcessStart(long pid, std::string& start) {
    std::string path = "/proc/";
    path.append(std::to_string(pid)).append("/stat");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // A process of another user may be hidden from us: ask the kernel.
        return ProcessExists(pid) ? EACCES : ENOENT;
    }
    char buffer[1024];
    const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n <= 0) {
        return EIO;
    }
    const std::string_view line(buffer, static_cast<std::size_t>(n));
    // The command name in brackets may hold blanks and brackets: the fields
    // are counted from the last closing bracket, which ends the second one.
    const std::size_t close = line.rfind(')');
    if (close == std::string_view::npos) {
        return EINVAL;
    }
    std::size_t at = close + 1;
    for (int field = 3; field <= 22; ++field) {
        while (at < line.size() && line[at] == ' ') {
            ++at;
        }
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (field == 22) {
            start = std::string(line.substr(at, end - at));
            return AllDigits(start) ? 0 : EINVAL;
        }
        at = end;
    }
    return EINVAL;
}

// "PID-START-BOOT" of this process.
std::string WriterId() {
    static std::mutex mutex;
    static long cachedPid = -1;
    static std::string cached;
    const std::lock_guard lock(mutex);
    // A forked child is a writer of its own.
    if (cachedPid != ::getpid()) {
        cachedPid = ::getpid();
        std::string start;
        const bool known = ProcessStart(cachedPid, start) == 0;
        cached = std::to_string(cachedPid);
        cached += '-';
        cached += known ? std::string_view(start) : std::string_view("0");
        cached += '-';
        cached += BootId();
    }
    return cached;
}

bool ProcessEnded(long pid) {
    return pid > 0 && !ProcessExists(pid);
}

// Whether the writer a name identifies has ended; nothing when the name is
// not a temporary file's. target gets the name of the file it was to replace.
std::optional<bool> WriterEnded(std::string_view name, std::string& target) {
    if (name.size() <= 1 + kSuffix.size() || name.front() != '.' || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::string_view rest = name.substr(1, name.size() - 1 - kSuffix.size());
    // The dot-separated fields after the target's name, last first.
    auto takeLast = [&rest]() -> std::optional<std::string_view> {
        const std::size_t dot = rest.rfind('.');
        if (dot == std::string_view::npos || dot == 0) {
            return std::nullopt;
        }
        const std::string_view field = rest.substr(dot + 1);
        rest = rest.substr(0, dot);
        return field;
    };
    const auto serial = takeLast();
    const auto writer = takeLast();
    if (!serial || !writer || !AllDigits(*serial)) {
        return std::nullopt;
    }
    const std::size_t dash1 = writer->find('-');
    const std::size_t dash2 =
        dash1 == std::string_view::npos ? dash1 : writer->find('-', dash1 + 1);
    if (dash2 != std::string_view::npos) {
        const std::string_view pid = writer->substr(0, dash1);
        const std::string_view start = writer->substr(dash1 + 1, dash2 - dash1 - 1);
        const std::string_view boot = writer->substr(dash2 + 1);
        if (!AllDigits(pid) || pid.size() > 9 || !AllDigits(start) || boot.empty()) {
            return std::nullopt;
        }
        target = std::string(rest);
        const long id = std::stol(std::string(pid));
        if (boot != "0" && BootId() != "0") {
            if (boot != BootId()) {
                return true;
            }
            std::string now;
            const int failure = ProcessStart(id, now);
            if (failure == ENOENT) {
                return true;
            }
            // A process that started at another moment got the id later.
            return failure == 0 && start != "0" && now != start;
        }
        return ProcessEnded(id);
    }
    // The older form: target, process id, serial, time stamp.
    const auto pid = takeLast();
    if (!pid || !AllDigits(*writer) || !AllDigits(*pid) || pid->size() > 9) {
        return std::nullopt;
    }
    target = std::string(rest);
    return ProcessEnded(std::stol(std::string(*pid)));
}

} // namespace

int CreateTemporaryFile(const std::filesystem::path& target, mode_t mode,
                        std::filesystem::path& temporary) {
    static std::atomic<unsigned> serial{0};
    std::string prefix(1, '.');
    prefix.append(target.filename().string()).append(1, '.').append(WriterId()).append(1, '.');
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        name.append(std::to_string(serial++)).append(kSuffix);
        temporary = target.parent_path() / name;
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

std::vector<TTemporaryFile> FindTemporaryFiles(const std::filesystem::path& folder) {
    std::vector<TTemporaryFile> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string target;
        const auto ended = WriterEnded(it->path().filename().string(), target);
        std::error_code kind;
        if (!ended || !it->is_regular_file(kind)) {
            continue;
        }
        std::error_code size;
        const std::uintmax_t bytes = it->file_size(size);
        found.push_back({it->path(), folder / target, size ? 0 : bytes, *ended});
    }
    std::sort(found.begin(), found.end(),
              [](const TTemporaryFile& a, const TTemporaryFile& b) { return a.Path < b.Path; });
    return found;
}

std::vector<TTemporaryFile> RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
    std::vector<TTemporaryFile> removed;
    for (TTemporaryFile& file : FindTemporaryFiles(folder)) {
        if (file.Stale && ::unlink(file.Path.c_str()) == 0) {
            removed.push_back(std::move(file));
        }
    }
    return removed;
}

} // namespace platform
