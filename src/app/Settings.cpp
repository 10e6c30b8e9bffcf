#include "Settings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace app {
namespace {

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool TSettings::Load(const std::filesystem::path& startDir) {
    path_ = startDir / kFileName;
    std::ifstream in(path_, std::ios::binary);
    if (in) {
        std::string line;
        std::getline(in, line);
        // A line end may be CR LF; only the first four characters count, and
        // positions the line does not reach take the second choice.
        value_ = line.substr(0, 4);
        value_.resize(4, '2');
        return true;
    }
    value_ = kInitialValue;
    if (std::filesystem::exists(path_)) {
        lastError_ = path_.string() + ": cannot be read";
        return true;
    }
    std::ofstream out(path_, std::ios::binary);
    out << kInitialValue;
    out.close();
    if (!out) {
        lastError_ = path_.string() + ": cannot be created";
    }
    return false;
}

bool TSettings::IsFirst(Position position) const {
    return value_[static_cast<std::size_t>(position) - 1] == '1';
}

void TSettings::Set(Position position, bool first) {
    value_[static_cast<std::size_t>(position) - 1] = first ? '1' : '2';
}

bool TSettings::Save() {
    if (!std::filesystem::exists(path_)) {
        return true;
    }
    const std::filesystem::path temporary = path_.string() + ".tmp";
    int failure = 0;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        failure = errno;
    } else {
        if (!WriteAll(fd, value_ + "\r\n") || ::fsync(fd) != 0) {
            failure = errno;
        }
        if (::close(fd) != 0 && failure == 0) {
            failure = errno;
        }
        if (failure == 0 && std::rename(temporary.c_str(), path_.c_str()) != 0) {
            failure = errno;
        }
    }
    if (failure != 0) {
        lastError_ = path_.string() + ": " + std::strerror(failure);
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace app
