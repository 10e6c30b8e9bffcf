// The LZ ("SZDD") reader on any file: article files may be stored compressed,
// and a damaged or hostile one must read as far as it is sound and no further.
#include "tests/fuzz/FuzzSupport.h"

#include "platform/LzFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr std::array<unsigned char, 8> kMagic = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::size_t kHeaderSize = 14;

// An independent expansion of the classic format: a 4 KB window of spaces
// written from 16 bytes before its end; each flag bit of a control byte, low
// bit first, selects a literal byte (1) or a 12-bit window position with a
// length of 3 to 18 (0). Expansion stops where the data ends, even inside a
// token. Nothing when the header is not one the reader accepts or claims more
// than an article file may expand to.
std::optional<std::string> ReferenceExpand(std::string_view file) {
    if (file.size() < kHeaderSize || std::memcmp(file.data(), kMagic.data(), kMagic.size()) != 0 ||
        file[8] != 'A') {
        return std::nullopt;
    }
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = length << 8 | static_cast<unsigned char>(file[10 + i]);
    }
    // A claim beyond what any article file may expand to is refused whole.
    if (length > static_cast<std::uint64_t>(platform::kMaxExpandedFileBytes)) {
        return std::nullopt;
    }
    const std::uint64_t limit = std::min<std::uint64_t>(
        {length, file.size() * 9ULL, std::numeric_limits<std::int32_t>::max()});

    std::array<unsigned char, 4096> window;
    window.fill(' ');
    std::size_t pos = 4096 - 16;
    std::string out;
    std::size_t in = kHeaderSize;
    auto put = [&](unsigned char c) {
        window[pos] = c;
        pos = (pos + 1) & 4095;
        out.push_back(static_cast<char>(c));
    };
    while (in < file.size() && out.size() < limit) {
        const auto control = static_cast<unsigned char>(file[in++]);
        for (int bit = 0; bit < 8 && out.size() < limit; ++bit) {
            if (control & (1 << bit)) {
                if (in >= file.size()) {
                    break;
                }
                put(static_cast<unsigned char>(file[in++]));
                continue;
            }
            if (in + 2 > file.size()) {
                in = file.size();
                break;
            }
            const auto low = static_cast<unsigned char>(file[in]);
            const auto high = static_cast<unsigned char>(file[in + 1]);
            in += 2;
            std::size_t from = low | (high & 0xF0) << 4;
            for (int i = 0; i < (high & 0x0F) + 3; ++i) {
                put(window[from]);
                from = (from + 1) & 4095;
            }
        }
    }
    if (out.size() > limit) {
        out.resize(limit);
    }
    return out;
}

std::string ReadInChunks(int handle, std::size_t chunk) {
    std::string out;
    std::string buffer(chunk, '\0');
    int n;
    while ((n = platform::LZRead(handle, buffer.data(), static_cast<int>(chunk))) > 0) {
        out.append(buffer.data(), static_cast<std::size_t>(n));
    }
    fuzz::Check(n == 0, "a read failed instead of ending");
    return out;
}

fuzz::TMemoryFile& InputFile() {
    static fuzz::TMemoryFile file("lz-input");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    InputFile().Write(bytes);

    const bool compressed =
        size >= kMagic.size() && std::memcmp(data, kMagic.data(), kMagic.size()) == 0;
    const std::optional<std::string> expected =
        compressed ? ReferenceExpand(bytes) : std::optional<std::string>(bytes);

    const int handle = platform::LZOpenFile(InputFile().Path());
    if (handle < 0) {
        fuzz::Check(!expected, "a sound file was refused");
        return 0;
    }
    fuzz::Check(expected.has_value(), "a damaged header was accepted");
    // The expansion a good decoder gives, cut where the reader's limits cut it.
    const std::string content = ReadInChunks(handle, 1 + size % 700);
    fuzz::Check(content == *expected, "the content differs from a reference expansion");

    const auto total = static_cast<std::int32_t>(content.size());
    fuzz::Check(platform::LZSeek(handle, 0, 2) == total, "the end is not where the content ends");
    const std::int32_t middle = total / 2;
    fuzz::Check(platform::LZSeek(handle, middle, 0) == middle, "a seek into the content failed");
    fuzz::Check(ReadInChunks(handle, 4096) == content.substr(static_cast<std::size_t>(middle)),
                "a read after a seek differs");
    fuzz::Check(platform::LZSeek(handle, -1, 0) < 0, "a seek before the start succeeded");
    fuzz::Check(platform::LZSeek(handle, 0, 1) == total, "a failed seek moved the position");
    char byte = 0;
    fuzz::Check(platform::LZRead(handle, &byte, -1) < 0, "a negative count was accepted");
    platform::LZClose(handle);
    fuzz::Check(platform::LZRead(handle, &byte, 1) < 0, "a closed handle still reads");
    return 0;
}
