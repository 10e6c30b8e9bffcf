#include "wavegen/Manifest.h"

#include "platform/FileIo.h"
#include "wavegen/Mp3Encoder.h"
#include "wavegen/Speech.h"

#include <charconv>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace wavegen {

namespace {

constexpr std::string_view kMp3Extension = ".mp3";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::uint32_t ParseNumber(std::string_view digits) {
    if (digits.empty() || digits.front() == '0') {
        return 0;
    }
    std::uint32_t number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size()) {
        return 0;
    }
    return number;
}

std::string ErrnoText(int error) {
    return std::strerror(error);
}

} // namespace

std::string CurrentSignature() {
    return std::string("wavegen voice=") + Speech::kVoice + " mp3=cbr" + std::to_string(kBitRate) +
           " mono";
}

std::string FormatManifest(std::string_view signature, const std::vector<Entry>& entries) {
    std::string out = "# ";
    out += signature;
    out += '\n';
    for (const Entry& entry : entries) {
        out += std::to_string(entry.Number);
        out += '\t';
        out += Escape(entry.HeadWord);
        out += '\n';
    }
    return out;
}

Manifest ParseManifest(std::string_view text) {
    Manifest manifest;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (first) {
            first = false;
            if (line.starts_with("# ")) {
                manifest.Signature = line.substr(2);
                continue;
            }
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            continue;
        }
        const std::uint32_t number = ParseNumber(line.substr(0, tab));
        std::optional<std::string> headWord = Unescape(line.substr(tab + 1));
        if (number != 0 && headWord) {
            manifest.HeadWords[number] = std::move(*headWord);
        }
    }
    return manifest;
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
    std::string text;
    if (!platform::ReadWholeFile(path, text).Ok()) {
        return std::nullopt;
    }
    return text;
}

std::optional<Manifest> ReadManifest(const std::filesystem::path& path) {
    std::optional<std::string> text = ReadFileText(path);
    if (!text) {
        return std::nullopt;
    }
    return ParseManifest(*text);
}

std::uint32_t NumberOfFileName(std::string_view name) {
    if (!name.ends_with(kMp3Extension)) {
        return 0;
    }
    return ParseNumber(name.substr(0, name.size() - kMp3Extension.size()));
}

std::string FileNameOfNumber(std::uint32_t number) {
    return std::to_string(number) + std::string(kMp3Extension);
}

std::filesystem::path TemporaryPath(const std::filesystem::path& target) {
    // Hidden, and unique per process so that workers never share one.
    std::string name(1, '.');
    name += target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += kTemporarySuffix;
    return target.parent_path() / name;
}

bool IsTemporaryName(std::string_view name) {
    return name.starts_with('.') && name.ends_with(kTemporarySuffix);
}

void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    // Pronunciations can be made again: no flush to the disk per file.
    const platform::TFileResult result =
        platform::WriteFileAtomically(target, bytes, {TemporaryPath(target), false});
    if (!result.Ok()) {
        throw std::runtime_error("cannot write " + target.string() + ": " +
                                 ErrnoText(result.Errno()));
    }
}

LetterPlan PlanLetter(const std::filesystem::path& folder, const std::vector<Entry>& entries,
                      const std::optional<Manifest>& manifest, std::string_view signature) {
    LetterPlan plan;
    const bool manifestValid = manifest && manifest->Signature == signature;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        bool upToDate = false;
        if (manifestValid) {
            const auto known = manifest->HeadWords.find(entry.Number);
            if (known != manifest->HeadWords.end() && known->second == entry.HeadWord) {
                std::error_code ec;
                const auto size =
                    std::filesystem::file_size(folder / FileNameOfNumber(entry.Number), ec);
                upToDate = !ec && size > 0;
            }
        }
        if (upToDate) {
            ++plan.UpToDate;
        } else {
            plan.Jobs.push_back(i);
        }
    }

    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::uint32_t number = NumberOfFileName(name);
        if (IsTemporaryName(name) || number > entries.size()) {
            plan.Stale.push_back(it->path());
        }
    }
    return plan;
}

} // namespace wavegen
