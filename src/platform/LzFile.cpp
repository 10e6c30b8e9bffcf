#include "platform/LzFile.h"

#include <mspack.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

constexpr unsigned char kSzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::size_t kSzddHeaderSize = 14;

// An LZSS code of at most 17 input bits yields at most 18 bytes, so no valid
// file expands beyond this factor; a header claiming more is hostile.
constexpr std::int64_t kMaxExpansion = 9;

struct OpenFile {
    int fd = -1;                         // plain file
    std::vector<unsigned char> expanded; // compressed file, delivered from memory
    bool compressed = false;
    std::int64_t size = 0;
    std::int64_t pos = 0;

    ~OpenFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

std::mutex gMutex;
std::vector<std::unique_ptr<OpenFile>> gFiles;

OpenFile* Lookup(int handle) {
    if (handle < 0 || static_cast<std::size_t>(handle) >= gFiles.size()) {
        return nullptr;
    }
    return gFiles[handle].get();
}

// libmspack reads and writes through a system table; ours keeps both sides in
// memory. The "file names" it passes back to us are pointers to MemFile.
struct MemFile {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    std::vector<unsigned char>* out = nullptr;
    std::size_t cap = 0;
};

mspack_file* MemOpen(mspack_system*, const char* filename, int) {
    return reinterpret_cast<mspack_file*>(const_cast<char*>(filename));
}

void MemClose(mspack_file*) {}

int MemRead(mspack_file* file, void* buffer, int bytes) {
    auto* f = reinterpret_cast<MemFile*>(file);
    if (bytes < 0) {
        return -1;
    }
    const std::size_t n = std::min<std::size_t>(bytes, f->size - f->pos);
    std::memcpy(buffer, f->data + f->pos, n);
    f->pos += n;
    return static_cast<int>(n);
}

int MemWrite(mspack_file* file, void* buffer, int bytes) {
    auto* f = reinterpret_cast<MemFile*>(file);
    if (bytes < 0 || f->out->size() + bytes > f->cap) {
        return -1;
    }
    const auto* p = static_cast<const unsigned char*>(buffer);
    f->out->insert(f->out->end(), p, p + bytes);
    return bytes;
}

int MemSeek(mspack_file* file, off_t offset, int mode) {
    auto* f = reinterpret_cast<MemFile*>(file);
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) {
        base = static_cast<off_t>(f->pos);
    } else if (mode == MSPACK_SYS_SEEK_END) {
        base = static_cast<off_t>(f->size);
    }
    const off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(f->size)) {
        return -1;
    }
    f->pos = static_cast<std::size_t>(target);
    return 0;
}

off_t MemTell(mspack_file* file) {
    return static_cast<off_t>(reinterpret_cast<MemFile*>(file)->pos);
}

void MemMessage(mspack_file*, const char*, ...) {}

void* MemAlloc(mspack_system*, std::size_t bytes) {
    return std::malloc(bytes);
}

void MemFree(void* ptr) {
    std::free(ptr);
}

void MemCopy(void* src, void* dest, std::size_t bytes) {
    std::memmove(dest, src, bytes);
}

mspack_system gMemSystem = {MemOpen,    MemClose, MemRead, MemWrite, MemSeek, MemTell,
                            MemMessage, MemAlloc, MemFree, MemCopy,  nullptr};

bool ReadAll(int fd, std::vector<unsigned char>& data) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 0) {
        return false;
    }
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pread(fd, data.data() + done, data.size() - done, done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return true;
}

// Expands a compressed file. A damaged body yields what was expanded before
// the damage; a damaged header fails the open.
bool Expand(int fd, OpenFile& file) {
    std::vector<unsigned char> input;
    if (!ReadAll(fd, input) || input.size() < kSzddHeaderSize) {
        return false;
    }
    MemFile in;
    in.data = input.data();
    in.size = input.size();
    msszdd_decompressor* decompressor = mspack_create_szdd_decompressor(&gMemSystem);
    if (decompressor == nullptr) {
        return false;
    }
    bool ok = false;
    msszddd_header* header = decompressor->open(decompressor, reinterpret_cast<const char*>(&in));
    if (header != nullptr && header->length >= 0) {
        const std::int64_t limit =
            std::min<std::int64_t>({static_cast<std::int64_t>(header->length),
                                    static_cast<std::int64_t>(input.size()) * kMaxExpansion,
                                    std::numeric_limits<std::int32_t>::max()});
        MemFile out;
        out.out = &file.expanded;
        out.cap = static_cast<std::size_t>(limit);
        file.expanded.reserve(out.cap);
        decompressor->extract(decompressor, header, reinterpret_cast<const char*>(&out));
        decompressor->close(decompressor, header);
        ok = true;
    }
    mspack_destroy_szdd_decompressor(decompressor);
    return ok;
}

} // namespace

int LZOpenFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return LZERROR_BADINHANDLE;
    }
    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        errno = EISDIR;
        return LZERROR_BADINHANDLE;
    }
    unsigned char magic[sizeof kSzddMagic] = {};
    const ssize_t n = ::pread(fd, magic, sizeof magic, 0);
    if (n == static_cast<ssize_t>(sizeof magic) &&
        std::memcmp(magic, kSzddMagic, sizeof magic) == 0) {
        if (!Expand(fd, *file)) {
            errno = EINVAL;
            return LZERROR_BADINHANDLE;
        }
        ::close(fd);
        file->fd = -1;
        file->compressed = true;
        file->size = static_cast<std::int64_t>(file->expanded.size());
    } else {
        file->size = st.st_size;
    }

    std::lock_guard lock(gMutex);
    for (std::size_t i = 0; i < gFiles.size(); ++i) {
        if (!gFiles[i]) {
            gFiles[i] = std::move(file);
            return static_cast<int>(i);
        }
    }
    gFiles.push_back(std::move(file));
    return static_cast<int>(gFiles.size() - 1);
}

int LZRead(int handle, void* buffer, int count) {
    std::lock_guard lock(gMutex);
    OpenFile* file = Lookup(handle);
    if (file == nullptr) {
        return LZERROR_BADINHANDLE;
    }
    if (count < 0 || (buffer == nullptr && count > 0)) {
        return LZERROR_BADVALUE;
    }
    if (file->compressed) {
        const std::int64_t available = std::max<std::int64_t>(0, file->size - file->pos);
        const auto n = static_cast<int>(std::min<std::int64_t>(count, available));
        if (n > 0) {
            std::memcpy(buffer, file->expanded.data() + file->pos, n);
        }
        file->pos += n;
        return n;
    }
    int done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(file->fd, static_cast<char*>(buffer) + done, count - done, file->pos + done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return done > 0 ? done : LZERROR_READ;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<int>(n);
    }
    file->pos += done;
    return done;
}

std::int32_t LZSeek(int handle, std::int32_t offset, int origin) {
    std::lock_guard lock(gMutex);
    OpenFile* file = Lookup(handle);
    if (file == nullptr) {
        return LZERROR_BADINHANDLE;
    }
    std::int64_t base = 0;
    switch (origin) {
    case 0:
        break;
    case 1:
        base = file->pos;
        break;
    case 2:
        if (!file->compressed) {
            struct stat st {};
            if (::fstat(file->fd, &st) == 0) {
                file->size = st.st_size;
            }
        }
        base = file->size;
        break;
    default:
        return LZERROR_BADVALUE;
    }
    const std::int64_t target = base + offset;
    if (target < 0 || target > std::numeric_limits<std::int32_t>::max()) {
        return LZERROR_BADVALUE;
    }
    file->pos = target;
    return static_cast<std::int32_t>(target);
}

void LZClose(int handle) {
    std::lock_guard lock(gMutex);
    if (Lookup(handle) != nullptr) {
        gFiles[handle].reset();
    }
}

} // namespace platform
