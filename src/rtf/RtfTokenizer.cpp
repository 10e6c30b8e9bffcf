#include "rtf/RtfTokenizer.h"

namespace rtf {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EndsText(char c) {
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n';
}

} // namespace

TToken TRtfTokenizer::Next() {
    TToken token;
    while (Pos < Data.size()) {
        const char c = Data[Pos];
        if (c == '{' || c == '}') {
            ++Pos;
            token.Kind = c == '{' ? TTokenKind::GroupOpen : TTokenKind::GroupClose;
            return token;
        }
        if (c == '\r' || c == '\n') {
            ++Pos;
            continue;
        }
        if (c == '\\') {
            if (ReadControl(token))
                return token;
            continue;
        }
        const std::size_t start = Pos;
        while (Pos < Data.size() && !EndsText(Data[Pos]))
            ++Pos;
        token.Kind = TTokenKind::Text;
        token.Bytes = Data.substr(start, Pos - start);
        return token;
    }
    token.Kind = TTokenKind::End;
    return token;
}

bool TRtfTokenizer::ReadControl(TToken& token) {
    ++Pos;
    if (Pos >= Data.size()) {
        token.Kind = TTokenKind::End;
        return true;
    }
    const char c = Data[Pos];
    if (IsLetter(c)) {
        const std::size_t start = Pos;
        while (Pos < Data.size() && IsLetter(Data[Pos]))
            ++Pos;
        token.Kind = TTokenKind::ControlWord;
        token.Word = Data.substr(start, Pos - start);
        const bool negative = Pos + 1 < Data.size() && Data[Pos] == '-' && IsDigit(Data[Pos + 1]);
        if (negative)
            ++Pos;
        if (Pos < Data.size() && IsDigit(Data[Pos])) {
            std::int64_t value = 0;
            while (Pos < Data.size() && IsDigit(Data[Pos])) {
                if (value < ParameterLimit)
                    value = value * 10 + (Data[Pos] - '0');
                ++Pos;
            }
            if (value > ParameterLimit)
                value = ParameterLimit;
            token.HasParameter = true;
            token.Parameter = static_cast<std::int32_t>(negative ? -value : value);
        }
        if (Pos < Data.size() && Data[Pos] == ' ')
            ++Pos;
        return true;
    }
    ++Pos;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && Pos < Data.size() && HexValue(Data[Pos]) >= 0) {
            value = value * 16 + HexValue(Data[Pos]);
            ++Pos;
            ++digits;
        }
        if (digits == 0)
            return false;
        token.Kind = TTokenKind::HexByte;
        token.Byte = static_cast<std::uint8_t>(value);
        return true;
    }
    token.Kind = TTokenKind::ControlSymbol;
    token.Symbol = c == '\r' ? '\n' : c;
    return true;
}

void TRtfTokenizer::SkipBinary(std::int64_t count) {
    if (count <= 0)
        return;
    const std::size_t left = Data.size() - Pos;
    Pos += static_cast<std::uint64_t>(count) < left ? static_cast<std::size_t>(count) : left;
}

} // namespace rtf
