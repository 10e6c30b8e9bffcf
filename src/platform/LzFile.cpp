#include "platform/LzFile.h"

#include <mspack.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <map>
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

using Bytes = std::vector<unsigned char>;

struct OpenFile {
    int fd = -1;                           // plain file
    std::shared_ptr<const Bytes> expanded; // compressed file, delivered from memory
    bool compressed = false;
    std::int64_t size = 0;
    std::int64_t pos = 0;

    ~OpenFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Guards the handles and the cache.
std::mutex gMutex;
std::vector<std::unique_ptr<OpenFile>> gFiles;

// Expanded files by device and inode. Size and both file times tell whether
// the file is still the one that was expanded: any write changes its change
// time, and a file replaced by a rename has another inode.
struct CacheEntry {
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    std::shared_ptr<const Bytes> bytes;
    std::uint64_t lastUse = 0;
};
std::map<std::pair<dev_t, ino_t>, CacheEntry> gCache;
std::size_t gCacheBytes = 0;
std::size_t gCacheBudget = kDefaultLzCacheBudget;
std::uint64_t gUseClock = 0;

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::shared_ptr<const Bytes> CacheFind(const struct stat& st) {
    const auto it = gCache.find({st.st_dev, st.st_ino});
    if (it == gCache.end() || it->second.size != st.st_size ||
        !SameTime(it->second.modified, st.st_mtim) || !SameTime(it->second.changed, st.st_ctim)) {
        return nullptr;
    }
    it->second.lastUse = ++gUseClock;
    return it->second.bytes;
}

void CacheTrim() {
    while (gCacheBytes > gCacheBudget && !gCache.empty()) {
        auto oldest = gCache.begin();
        for (auto it = gCache.begin(); it != gCache.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse) {
                oldest = it;
            }
        }
        gCacheBytes -= oldest->second.bytes->size();
        gCache.erase(oldest);
    }
}

void CacheStore(const struct stat& st, const std::shared_ptr<const Bytes>& bytes) {
    const std::pair<dev_t, ino_t> key{st.st_dev, st.st_ino};
    if (const auto it = gCache.find(key); it != gCache.end()) {
        gCacheBytes -= it->second.bytes->size();
        gCache.erase(it);
    }
    if (bytes->size() > gCacheBudget) {
        return;
    }
    gCache[key] = {st.st_size, st.st_mtim, st.st_ctim, bytes, ++gUseClock};
    gCacheBytes += bytes->size();
    CacheTrim();
}

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

// The output never grows beyond its reserved capacity, so inserting cannot
// throw inside the decompressor. A body that holds more than the header
// claims delivers the claimed bytes, then stops the expansion.
int MemWrite(mspack_file* file, void* buffer, int bytes) {
    auto* f = reinterpret_cast<MemFile*>(file);
    if (bytes < 0) {
        return -1;
    }
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(bytes),
                                                f->cap - std::min(f->cap, f->out->size()));
    const auto* p = static_cast<const unsigned char*>(buffer);
    f->out->insert(f->out->end(), p, p + n);
    return n == static_cast<std::size_t>(bytes) ? bytes : -1;
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

// The bytes the file holds, at most size of them.
void ReadAll(int fd, std::size_t size, Bytes& data) {
    data.resize(size);
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
}

// Expands a compressed file; 0 or the errno of the failure. A damaged body
// yields what was expanded before the damage; a damaged header fails.
int Expand(int fd, const struct stat& st, std::shared_ptr<const Bytes>& result) {
    if (st.st_size > kMaxCompressedFileBytes) {
        return EFBIG;
    }
    try {
        Bytes input;
        ReadAll(fd, static_cast<std::size_t>(st.st_size), input);
        if (input.size() < kSzddHeaderSize) {
            return EINVAL;
        }
        MemFile in;
        in.data = input.data();
        in.size = input.size();
        auto expanded = std::make_shared<Bytes>();
        msszdd_decompressor* decompressor = mspack_create_szdd_decompressor(&gMemSystem);
        if (decompressor == nullptr) {
            return ENOMEM;
        }
        int failure = EINVAL;
        msszddd_header* header =
            decompressor->open(decompressor, reinterpret_cast<const char*>(&in));
        if (header != nullptr && header->length > kMaxExpandedFileBytes) {
            failure = EFBIG;
        } else if (header != nullptr && header->length >= 0) {
            const std::int64_t limit = std::min<std::int64_t>(
                {static_cast<std::int64_t>(header->length),
                 static_cast<std::int64_t>(input.size()) * kMaxExpansion, kMaxExpandedFileBytes});
            MemFile out;
            out.out = expanded.get();
            out.cap = static_cast<std::size_t>(limit);
            try {
                expanded->reserve(out.cap);
                decompressor->extract(decompressor, header, reinterpret_cast<const char*>(&out));
                failure = 0;
            } catch (const std::bad_alloc&) {
                failure = ENOMEM;
            }
        }
        if (header != nullptr) {
            decompressor->close(decompressor, header);
        }
        mspack_destroy_szdd_decompressor(decompressor);
        if (failure == 0) {
            expanded->shrink_to_fit();
            result = std::move(expanded);
        }
        return failure;
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

} // namespace

int LZOpenFile(const std::string& path) {
    // Not blocking: a named pipe must not wait for a writer before it is
    // refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
        {
            std::lock_guard lock(gMutex);
            file->expanded = CacheFind(st);
        }
        if (!file->expanded) {
            std::shared_ptr<const Bytes> expanded;
            if (const int failure = Expand(fd, st, expanded); failure != 0) {
                errno = failure;
                return LZERROR_BADINHANDLE;
            }
            file->expanded = expanded;
            std::lock_guard lock(gMutex);
            CacheStore(st, expanded);
        }
        ::close(fd);
        file->fd = -1;
        file->compressed = true;
        file->size = static_cast<std::int64_t>(file->expanded->size());
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
            std::memcpy(buffer, file->expanded->data() + file->pos, n);
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

TLzCacheUsage LZCacheUsage() {
    std::lock_guard lock(gMutex);
    return {gCache.size(), gCacheBytes};
}

void LZSetCacheBudget(std::size_t bytes) {
    std::lock_guard lock(gMutex);
    gCacheBudget = bytes;
    CacheTrim();
}

} // namespace platform
