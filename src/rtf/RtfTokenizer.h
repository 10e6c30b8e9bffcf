#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtf {

enum class TTokenKind {
    GroupOpen,
    GroupClose,
    ControlWord,   // Word, and Parameter when HasParameter
    ControlSymbol, // Symbol; a backslash before a line end reads as '\n'
    HexByte,       // \'hh: Byte
    Text,          // Bytes: a run without braces, backslashes or line ends
    End,
};

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    std::string_view Word;
    bool HasParameter = false;
    std::int32_t Parameter = 0;
    char Symbol = 0;
    std::uint8_t Byte = 0;
    std::string_view Bytes;
};

// Splits RTF bytes into tokens. Every call consumes at least one byte or
// returns End, so a caller's loop over Next() ends after at most as many
// iterations as there are bytes.
class TRtfTokenizer {
public:
    // Numeric parameters are clamped to this magnitude.
    static constexpr std::int32_t ParameterLimit = 1'000'000'000;

    TRtfTokenizer(std::string_view data, std::size_t position) : Data(data), Pos(position) {}

    TToken Next();
    // Skips the raw data of \binN, at most up to the end of the data.
    void SkipBinary(std::int64_t count);
    std::size_t Position() const { return Pos; }

private:
    // False when the backslash introduced nothing (a \' without hex digits).
    bool ReadControl(TToken& token);

    std::string_view Data;
    std::size_t Pos;
};

} // namespace rtf
