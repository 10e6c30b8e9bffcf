#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Readers that only take a path get the fuzzer's input through files that
// live in memory, so a run costs no disk traffic.
namespace fuzz {

// A file in memory (memfd) whose contents are replaced on every Write; Path()
// opens it like any regular file.
class TMemoryFile {
public:
    explicit TMemoryFile(const char* name);
    ~TMemoryFile();
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    void Write(std::string_view bytes);
    const std::string& Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

// A folder of this process below /dev/shm (the temporary folder where that
// is missing), made on first use and removed with its contents at exit.
const std::filesystem::path& ScratchDir();

// Replaces the file's contents; aborts when it cannot, so a broken harness is
// never mistaken for a passing reader.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with a message naming the broken expectation; libFuzzer keeps
// the input as a crash.
[[noreturn]] void Fail(const char* what);

inline void Check(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

} // namespace fuzz
