#include "tests/fuzz/FuzzSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzz {

namespace {

void Die(const std::string& what) {
    std::fprintf(stderr, "fuzz harness: %s: %s\n", what.c_str(), std::strerror(errno));
    std::abort();
}

void RemoveScratchDir();

std::filesystem::path MakeScratchDir() {
    std::string pattern =
        std::filesystem::is_directory("/dev/shm")
            ? "/dev/shm/dict-fuzz-XXXXXX"
            : (std::filesystem::temp_directory_path() / "dict-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        Die("cannot make a scratch folder");
    }
    return pattern;
}

void RemoveScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchDir(), ignored);
}

} // namespace

TMemoryFile::TMemoryFile(const char* name) {
    fd_ = ::memfd_create(name, MFD_CLOEXEC);
    if (fd_ < 0) {
        Die("memfd_create");
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

TMemoryFile::~TMemoryFile() {
    ::close(fd_);
}

void TMemoryFile::Write(std::string_view bytes) {
    if (::ftruncate(fd_, 0) != 0) {
        Die("ftruncate");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Die("write to memory file");
        }
        done += static_cast<std::size_t>(n);
    }
}

const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = MakeScratchDir();
    // Registered after the path exists, so it runs before the path is destroyed.
    static const bool removedAtExit = std::atexit(RemoveScratchDir) == 0;
    (void)removedAtExit;
    return dir;
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        Die("open " + path.string());
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Die("write " + path.string());
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz target: broken expectation: %s\n", what);
    std::abort();
}

} // namespace fuzz
