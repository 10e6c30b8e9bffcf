#include "dictool/FreeDictSource.h"

#include "platform/FileIo.h"

#include <zlib.h>

#include <cctype>
#include <cerrno>
#include <sstream>

namespace dictool {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// dictd's base64 numbers: most significant digit first.
std::optional<std::uint64_t> DecodeNumber(std::string_view digits) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : digits) {
        const std::size_t digit = kAlphabet.find(c);
        if (digit == std::string_view::npos) {
            return std::nullopt;
        }
        value = value * 64 + digit;
    }
    return value;
}

std::string ReadGzip(const std::string& path) {
    if (const int failure = platform::CheckRegularFile(path).Errno(); failure != 0) {
        throw SourceError("cannot read " + path + ": " + platform::FileErrorText(failure));
    }
    gzFile file = gzopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw SourceError("cannot open " + path);
    }
    std::string data;
    char buffer[1 << 16];
    int n;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0) {
        if (data.size() + static_cast<std::size_t>(n) > kMaxSourceFileBytes) {
            gzclose(file);
            throw SourceError("cannot read " + path + ": " + platform::FileErrorText(EFBIG));
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    const bool failed = n < 0;
    gzclose(file);
    if (failed) {
        throw SourceError("cannot decompress " + path);
    }
    return data;
}

// A numbered line "12. text": the text after the number.
std::optional<std::string_view> NumberedText(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) {
        ++i;
    }
    if (i == 0 || i + 1 >= line.size() || line[i] != '.' || line[i + 1] != ' ') {
        return std::nullopt;
    }
    return line.substr(i + 2);
}

// The source marks sub-glosses with a trailing " 2." or a lone " 3."; these
// markers carry nothing once the glosses are listed.
std::string_view StripGlossMarker(std::string_view line) {
    line = Trim(line);
    std::size_t end = line.size();
    if (end >= 2 && line[end - 1] == '.') {
        std::size_t i = end - 1;
        while (i > 0 && std::isdigit(static_cast<unsigned char>(line[i - 1]))) {
            --i;
        }
        if (i < end - 1 && (i == 0 || line[i - 1] == ' ')) {
            return Trim(line.substr(0, i));
        }
    }
    return line;
}

} // namespace

std::vector<std::string> SplitTranslations(std::string_view line) {
    std::vector<std::string> items;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ',';
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if ((c == ',' || c == ';') && (depth == 0 || i == line.size())) {
            const std::string_view item = Trim(line.substr(start, i - start));
            if (!item.empty()) {
                items.emplace_back(item);
            }
            start = i + 1;
        }
    }
    return items;
}

std::optional<SourceEntry> ParseFreeDictEntry(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!lines.empty() && Trim(lines.back()).empty()) {
        lines.pop_back();
    }
    if (lines.empty() || Trim(lines.front()).empty()) {
        return std::nullopt;
    }

    SourceEntry entry;
    std::string_view head = Trim(lines.front());
    if (head.size() > 2 && head.back() == '>') {
        const std::size_t open = head.rfind(" <");
        if (open != std::string_view::npos) {
            entry.PartOfSpeech = std::string(head.substr(open + 2, head.size() - open - 3));
            head = Trim(head.substr(0, open));
        }
    }
    // Transcriptions follow the head-word as " /ipa/" or " //ipa//".
    std::size_t firstSlash = head.find(" /");
    if (firstSlash != std::string_view::npos) {
        std::string_view rest = head.substr(firstSlash + 1);
        head = Trim(head.substr(0, firstSlash));
        while (!rest.empty()) {
            rest = Trim(rest);
            const std::size_t slashes =
                rest.starts_with("//") ? 2 : (rest.starts_with("/") ? 1 : 0);
            if (slashes == 0) {
                break;
            }
            const std::string_view delimiter = slashes == 2 ? "//" : "/";
            const std::size_t close = rest.find(delimiter, slashes);
            if (close == std::string_view::npos) {
                break;
            }
            std::string_view ipa = Trim(rest.substr(slashes, close - slashes));
            if (ipa.size() >= 2 && ipa.front() == '[' && ipa.back() == ']') {
                ipa = ipa.substr(1, ipa.size() - 2);
            }
            if (!ipa.empty()) {
                entry.Transcriptions.emplace_back(ipa);
            }
            rest = rest.substr(close + slashes);
        }
    }
    entry.HeadWord = std::string(head);

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto numbered = NumberedText(line);
        if (numbered || entry.Senses.empty()) {
            Sense sense;
            sense.Translations = SplitTranslations(StripGlossMarker(numbered ? *numbered : line));
            entry.Senses.push_back(std::move(sense));
            continue;
        }
        const std::string_view gloss = StripGlossMarker(line);
        if (!gloss.empty()) {
            entry.Senses.back().Glosses.emplace_back(gloss);
        }
    }
    if (entry.HeadWord.empty()) {
        return std::nullopt;
    }
    return entry;
}

std::string ReadSourceFile(const std::string& path) {
    std::string bytes;
    if (const int failure = platform::ReadWholeFile(path, bytes, kMaxSourceFileBytes).Errno();
        failure != 0) {
        throw SourceError("cannot read " + path + ": " + platform::FileErrorText(failure));
    }
    return bytes;
}

FreeDictData ReadFreeDict(const std::string& indexPath, const std::string& dictPath) {
    std::istringstream index(ReadSourceFile(indexPath));
    const std::string dict = ReadGzip(dictPath);
    FreeDictData data;
    std::string line;
    int lineNumber = 0;
    while (std::getline(index, line)) {
        ++lineNumber;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) {
            throw SourceError(indexPath + ":" + std::to_string(lineNumber) +
                              ": not a dictd index line");
        }
        const std::string_view name(line.data(), tab1);
        const auto offset = DecodeNumber(std::string_view(line).substr(tab1 + 1, tab2 - tab1 - 1));
        auto length = DecodeNumber(Trim(std::string_view(line).substr(tab2 + 1)));
        if (!offset || !length || *offset > dict.size()) {
            throw SourceError(indexPath + ":" + std::to_string(lineNumber) +
                              ": entry lies outside " + dictPath);
        }
        *length = std::min<std::uint64_t>(*length, dict.size() - *offset);
        const std::string_view text(dict.data() + *offset, *length);
        if (name.starts_with("00database")) {
            if (name == "00databaseinfo") {
                data.Info = std::string(text);
            }
            continue;
        }
        if (auto entry = ParseFreeDictEntry(text)) {
            data.Entries.push_back(std::move(*entry));
        }
    }
    return data;
}

} // namespace dictool
