#include "wordforms/FormTable.h"

#include <algorithm>
#include <cstring>

namespace wordforms {

namespace {

// Header: magic (8 bytes), record count, text size, checksum, zero (each a
// little-endian 32-bit word). Record: key offset, word offset, value (32-bit
// words), key length, word length (bytes), two zero bytes. Offsets count from
// the start of the text, which follows the records.
constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kRecordSize = 16;
constexpr char kFormsMagic[8] = {'D', 'I', 'C', 'T', 'F', 'R', 'M', 1};
constexpr char kFrequencyMagic[8] = {'D', 'I', 'C', 'T', 'F', 'R', 'Q', 1};

const char* MagicOf(TTableKind kind) {
    return kind == TTableKind::Forms ? kFormsMagic : kFrequencyMagic;
}

std::uint32_t ReadWord(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

void AppendWord(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// FNV-1a: enough to tell a damaged file from an intact one.
std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    }
    return hash;
}

struct TRawRecord {
    std::uint32_t KeyOffset;
    std::uint32_t WordOffset;
    std::uint32_t Value;
    std::uint8_t KeyLength;
    std::uint8_t WordLength;
};

TRawRecord ReadRecord(std::string_view bytes, std::size_t i) {
    const std::size_t at = kHeaderSize + i * kRecordSize;
    return {ReadWord(bytes, at), ReadWord(bytes, at + 4), ReadWord(bytes, at + 8),
            static_cast<std::uint8_t>(bytes[at + 12]), static_cast<std::uint8_t>(bytes[at + 13])};
}

bool RecordLess(const TTableRecord& a, const TTableRecord& b) {
    if (a.Key != b.Key) {
        return a.Key < b.Key;
    }
    if (a.Value != b.Value) {
        return a.Value < b.Value;
    }
    return a.Word < b.Word;
}

} // namespace

std::string_view TFormTable::KeyAt(std::size_t i) const {
    const TRawRecord record = ReadRecord(bytes_, i);
    const std::size_t text = kHeaderSize + count_ * kRecordSize;
    return std::string_view(bytes_).substr(text + record.KeyOffset, record.KeyLength);
}

TFormTable::TRecordView TFormTable::At(std::size_t i) const {
    const TRawRecord record = ReadRecord(bytes_, i);
    const std::string_view text =
        std::string_view(bytes_).substr(kHeaderSize + count_ * kRecordSize);
    return {text.substr(record.KeyOffset, record.KeyLength),
            text.substr(record.WordOffset, record.WordLength), record.Value};
}

std::vector<TFormTable::TRecordView> TFormTable::Find(std::string_view key) const {
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (KeyAt(middle) < key) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    std::vector<TRecordView> found;
    for (std::size_t i = low; i < count_ && KeyAt(i) == key; ++i) {
        found.push_back(At(i));
    }
    return found;
}

std::optional<TFormTable> TFormTable::Parse(std::string bytes, TTableKind kind,
                                            std::string& problem) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), MagicOf(kind), 8) != 0) {
        problem = "it is not a word-form file of this kind";
        return std::nullopt;
    }
    const std::uint64_t count = ReadWord(bytes, 8);
    const std::uint64_t textSize = ReadWord(bytes, 12);
    if (kHeaderSize + count * kRecordSize + textSize != bytes.size() || ReadWord(bytes, 20) != 0) {
        problem = "its size does not match its header (the file is cut short or damaged)";
        return std::nullopt;
    }
    if (Checksum(std::string_view(bytes).substr(kHeaderSize)) != ReadWord(bytes, 16)) {
        problem = "its checksum does not match (the file is damaged)";
        return std::nullopt;
    }
    TFormTable table;
    table.bytes_ = std::move(bytes);
    table.count_ = static_cast<std::size_t>(count);
    const bool hasWords = kind == TTableKind::Forms;
    std::string_view previous;
    for (std::size_t i = 0; i < table.count_; ++i) {
        const TRawRecord record = ReadRecord(table.bytes_, i);
        const std::size_t at = kHeaderSize + i * kRecordSize;
        const bool keyFits =
            record.KeyLength > 0 && std::uint64_t{record.KeyOffset} + record.KeyLength <= textSize;
        const bool wordFits =
            hasWords ? record.WordLength > 0 &&
                           std::uint64_t{record.WordOffset} + record.WordLength <= textSize &&
                           record.Value >= 1 && record.Value <= 4 && record.Value != 2
                     : record.WordLength == 0 && record.WordOffset == 0;
        if (!keyFits || !wordFits || table.bytes_[at + 14] != 0 || table.bytes_[at + 15] != 0) {
            problem = "record " + std::to_string(i + 1) + " points outside the file";
            return std::nullopt;
        }
        const std::string_view key = table.KeyAt(i);
        if (key < previous) {
            problem = "its records are out of order";
            return std::nullopt;
        }
        previous = key;
    }
    return table;
}

std::string WriteFormTable(std::vector<TTableRecord> records, TTableKind kind) {
    const bool hasWords = kind == TTableKind::Forms;
    std::erase_if(records, [&](const TTableRecord& r) {
        return r.Key.empty() || r.Key.size() > kMaxTableWordLength ||
               (hasWords && (r.Word.empty() || r.Word.size() > kMaxTableWordLength));
    });
    std::sort(records.begin(), records.end(), RecordLess);
    records.erase(std::unique(records.begin(), records.end(),
                              [](const TTableRecord& a, const TTableRecord& b) {
                                  return a.Key == b.Key && a.Word == b.Word && a.Value == b.Value;
                              }),
                  records.end());
    // Each key is written once, however many records it has, and so is each
    // base, however many forms name it: the bases follow the keys, sorted.
    std::string text;
    std::vector<std::uint32_t> keyOffsets;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i == 0 || records[i].Key != records[i - 1].Key) {
            keyOffsets.push_back(static_cast<std::uint32_t>(text.size()));
            text += records[i].Key;
        } else {
            keyOffsets.push_back(keyOffsets.back());
        }
    }
    std::vector<std::string_view> bases;
    if (hasWords) {
        for (const TTableRecord& record : records) {
            bases.push_back(record.Word);
        }
    }
    std::sort(bases.begin(), bases.end());
    bases.erase(std::unique(bases.begin(), bases.end()), bases.end());
    std::vector<std::uint32_t> baseOffsets;
    for (const std::string_view base : bases) {
        baseOffsets.push_back(static_cast<std::uint32_t>(text.size()));
        text += base;
    }
    std::string body;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TTableRecord& record = records[i];
        std::uint32_t wordOffset = 0;
        if (hasWords) {
            const auto it = std::lower_bound(bases.begin(), bases.end(), record.Word);
            wordOffset = baseOffsets[static_cast<std::size_t>(it - bases.begin())];
        }
        AppendWord(body, keyOffsets[i]);
        AppendWord(body, wordOffset);
        AppendWord(body, record.Value);
        body.push_back(static_cast<char>(record.Key.size()));
        body.push_back(static_cast<char>(hasWords ? record.Word.size() : 0));
        body.append(2, '\0');
    }
    body += text;
    std::string out(MagicOf(kind), 8);
    AppendWord(out, static_cast<std::uint32_t>(records.size()));
    AppendWord(out, static_cast<std::uint32_t>(text.size()));
    AppendWord(out, Checksum(body));
    AppendWord(out, 0);
    return out + body;
}

} // namespace wordforms
