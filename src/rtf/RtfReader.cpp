#include "rtf/RtfReader.h"

#include "platform/Cp1251.h"
#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <vector>

namespace rtf {

namespace {

// Bounds that keep hostile documents from growing memory without limit;
// real documents stay far below them.
constexpr std::size_t MaxGroupDepth = 10'000;
constexpr std::size_t MaxFonts = 4096;
constexpr std::size_t MaxColors = 4096;
constexpr std::size_t MaxFontNameBytes = 256;
constexpr int MaxFontSizeHalfPoints = 3276;
constexpr int DefaultFontSizeHalfPoints = 24;
constexpr int DefaultCodePage = 1251;
constexpr char32_t ReplacementChar = 0xFFFD;

// Code page 1252 differs from Latin-1 only in 0x80-0x9F; its unassigned
// bytes map to the C1 controls of the same value, as the system converters do.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HasCodePageTable(int codePage) {
    return codePage == 1251 || codePage == 1252;
}

char32_t DecodeByte(std::uint8_t byte, int codePage) {
    if (byte < 0x80)
        return byte;
    if (codePage == 1252)
        return byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
    return platform::Cp1251ToUnicode(byte);
}

enum class TKeyword {
    Ansicpg,
    Deff,
    Uc,
    U,
    Bin,
    FontTable,
    ColorTable,
    SkipDestination,
    F,
    FCharset,
    Cpg,
    Red,
    Green,
    Blue,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    ColorFore,
    Hidden,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    Par,
    Line,
    Tab,
    Char, // a word that stands for one character
};

struct TKeywordInfo {
    TKeyword Keyword;
    char32_t Char = 0;
};

template <typename TAction> void ForEachWord(std::string_view words, TAction action) {
    while (!words.empty()) {
        const std::size_t space = words.find(' ');
        action(words.substr(0, space));
        words.remove_prefix(space == std::string_view::npos ? words.size() : space + 1);
    }
}

const std::unordered_map<std::string_view, TKeywordInfo>& Keywords() {
    static const std::unordered_map<std::string_view, TKeywordInfo> table = [] {
        std::unordered_map<std::string_view, TKeywordInfo> t = {
            {"ansicpg", {TKeyword::Ansicpg}},
            {"deff", {TKeyword::Deff}},
            {"uc", {TKeyword::Uc}},
            {"u", {TKeyword::U}},
            {"bin", {TKeyword::Bin}},
            {"fonttbl", {TKeyword::FontTable}},
            {"colortbl", {TKeyword::ColorTable}},
            {"f", {TKeyword::F}},
            {"fcharset", {TKeyword::FCharset}},
            {"cpg", {TKeyword::Cpg}},
            {"red", {TKeyword::Red}},
            {"green", {TKeyword::Green}},
            {"blue", {TKeyword::Blue}},
            {"plain", {TKeyword::Plain}},
            {"b", {TKeyword::Bold}},
            {"i", {TKeyword::Italic}},
            {"ulnone", {TKeyword::UnderlineNone}},
            {"fs", {TKeyword::FontSize}},
            {"cf", {TKeyword::ColorFore}},
            {"v", {TKeyword::Hidden}},
            {"pard", {TKeyword::Pard}},
            {"ql", {TKeyword::AlignLeft}},
            {"qc", {TKeyword::AlignCenter}},
            {"qr", {TKeyword::AlignRight}},
            {"qj", {TKeyword::AlignJustify}},
            {"qd", {TKeyword::AlignJustify}},
            {"li", {TKeyword::LeftIndent}},
            {"lin", {TKeyword::LeftIndent}},
            {"ri", {TKeyword::RightIndent}},
            {"rin", {TKeyword::RightIndent}},
            {"fi", {TKeyword::FirstIndent}},
            {"par", {TKeyword::Par}},
            {"row", {TKeyword::Par}},
            {"nestrow", {TKeyword::Par}},
            {"page", {TKeyword::Par}},
            {"sect", {TKeyword::Par}},
            {"line", {TKeyword::Line}},
            {"tab", {TKeyword::Tab}},
            {"cell", {TKeyword::Tab}},
            {"nestcell", {TKeyword::Tab}},
            {"emdash", {TKeyword::Char, 0x2014}},
            {"endash", {TKeyword::Char, 0x2013}},
            {"bullet", {TKeyword::Char, 0x2022}},
            {"lquote", {TKeyword::Char, 0x2018}},
            {"rquote", {TKeyword::Char, 0x2019}},
            {"ldblquote", {TKeyword::Char, 0x201C}},
            {"rdblquote", {TKeyword::Char, 0x201D}},
            {"emspace", {TKeyword::Char, 0x2003}},
            {"enspace", {TKeyword::Char, 0x2002}},
            {"qmspace", {TKeyword::Char, 0x2005}},
            {"zwj", {TKeyword::Char, 0x200D}},
            {"zwnj", {TKeyword::Char, 0x200C}},
        };
        // Every underline style shows as a plain underline.
        ForEachWord(
            "ul uld uldash uldashd uldashdd uldb ulhwave ulldash ulth ulthd ulthdash "
            "ulthdashd ulthdashdd ulthldash ululdbwave ulw ulwave",
            [&](std::string_view word) { t.emplace(word, TKeywordInfo{TKeyword::Underline}); });
        // Destinations whose content is never shown.
        ForEachWord(
            "stylesheet info pict object objdata header headerl headerr headerf footer footerl "
            "footerr footerf footnote themedata colorschememapping datastore latentstyles "
            "listtable listoverridetable rsidtbl revtbl generator xmlnstbl mmathPr fldinst pn shp "
            "shpinst nonshppict bkmkstart bkmkend xe tc annotation atnid atnauthor atrfstart "
            "atrfend docvar userprops private filetbl pgdsctbl wgrffmtfilter passwordhash defchp "
            "defpap fontemb fontfile template blipuid ftnsep ftnsepc ftncn aftnsep aftnsepc aftncn",
            [&](std::string_view word) {
                t.emplace(word, TKeywordInfo{TKeyword::SkipDestination});
            });
        return t;
    }();
    return table;
}

enum class TDestination { Normal, FontTable, ColorTable, Skip };

struct TCharState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Hidden = false;
    int FontSize = DefaultFontSizeHalfPoints;
    int ColorIndex = -1; // -1: no \cf, the viewer's default colour
    int Font = -1;       // -1: the document's default font
    bool operator==(const TCharState&) const = default;
};

struct TGroupState {
    TCharState Char;
    TParagraphFormat Para;
    TDestination Destination = TDestination::Normal;
    int UnicodeSkip = 1;
};

struct TFontEntry {
    std::string RawName;
    std::string Name;
    int Charset = 0;
    std::optional<int> CodePage; // from \cpg, which overrides the charset
    bool NameDone = false;
};

class TParser {
public:
    TParser(std::string_view data, TRtfSink& sink) : Data(data), Sink(sink), Tokens(data, 0) {}

    TParseResult Run();

private:
    void HandleWord(const TToken& token);
    void HandleSymbol(char symbol);
    void HandleByte(std::uint8_t byte);
    void HandleText(std::string_view bytes);
    void PushGroup();
    // False when the document's own group has closed.
    bool PopGroup();

    void EmitChar(char32_t ch);
    void EmitUnicode(std::int32_t value);
    void FlushText();
    void EndParagraph();
    void LineBreak();
    void Tab();

    int DocumentCodePage() const;
    int CodePageOf(const TFontEntry& font) const;
    int CurrentCodePage() const;
    const TFontEntry* FindFont(int number) const;
    TCharFormat MakeFormat(const TCharState& state) const;
    void FinishFontName(TFontEntry& font);
    void FinishFontTable();
    void EndColor();

    std::string_view Data;
    TRtfSink& Sink;
    TRtfTokenizer Tokens;

    TGroupState State;
    std::vector<TGroupState> Stack;
    std::size_t OverflowDepth = 0; // groups opened beyond MaxGroupDepth
    int SkipCount = 0;             // fallback characters still to skip after \u

    int AnsiCodePage = DefaultCodePage;
    int DefaultFont = 0;
    std::map<int, TFontEntry> Fonts;
    TFontEntry* DefiningFont = nullptr;
    std::vector<TFontEntry*> UnnamedFonts; // defined but without a finished name
    std::vector<std::optional<TRgb>> Colors;
    TRgb PendingColor;
    bool PendingColorSet = false;

    std::string PendingText;
    TCharState PendingFormat;
    char16_t PendingHighSurrogate = 0;
};

TParseResult TParser::Run() {
    std::size_t start = 0;
    while (start < Data.size() && (Data[start] == ' ' || Data[start] == '\t' ||
                                   Data[start] == '\r' || Data[start] == '\n'))
        ++start;
    if (Data.substr(start, 5) != "{\\rtf")
        return {TParseStatus::NotRtf, 0};
    Tokens = TRtfTokenizer(Data, start);
    for (;;) {
        const TToken token = Tokens.Next();
        switch (token.Kind) {
        case TTokenKind::End:
            FlushText();
            Sink.DocumentEnd(State.Para);
            return {TParseStatus::Incomplete, Data.size()};
        case TTokenKind::GroupOpen:
            SkipCount = 0;
            PushGroup();
            break;
        case TTokenKind::GroupClose: {
            SkipCount = 0;
            const TParagraphFormat lastParagraph = State.Para;
            if (!PopGroup()) {
                FlushText();
                Sink.DocumentEnd(lastParagraph);
                return {TParseStatus::Complete, Tokens.Position()};
            }
            break;
        }
        case TTokenKind::ControlWord:
            if (SkipCount > 0) {
                --SkipCount;
                if (token.Word == "bin" && token.HasParameter)
                    Tokens.SkipBinary(token.Parameter);
            } else {
                HandleWord(token);
            }
            break;
        case TTokenKind::ControlSymbol:
            if (SkipCount > 0)
                --SkipCount;
            else
                HandleSymbol(token.Symbol);
            break;
        case TTokenKind::HexByte:
            if (SkipCount > 0)
                --SkipCount;
            else
                HandleByte(token.Byte);
            break;
        case TTokenKind::Text:
            HandleText(token.Bytes);
            break;
        }
    }
}

void TParser::PushGroup() {
    if (Stack.size() >= MaxGroupDepth) {
        ++OverflowDepth;
        return;
    }
    Stack.push_back(State);
}

bool TParser::PopGroup() {
    if (OverflowDepth > 0) {
        --OverflowDepth;
        return true;
    }
    if (Stack.empty())
        return false;
    const bool wasFontTable = State.Destination == TDestination::FontTable;
    State = Stack.back();
    Stack.pop_back();
    if (wasFontTable && State.Destination != TDestination::FontTable)
        FinishFontTable();
    return !Stack.empty();
}

void TParser::HandleWord(const TToken& token) {
    const auto found = Keywords().find(token.Word);
    if (found == Keywords().end())
        return;
    const int param = token.Parameter;
    const bool on = !token.HasParameter || param != 0;
    const TDestination dest = State.Destination;
    TCharState& chr = State.Char;
    TParagraphFormat& para = State.Para;

    switch (found->second.Keyword) {
    case TKeyword::Ansicpg:
        if (token.HasParameter)
            AnsiCodePage = param;
        return;
    case TKeyword::Deff:
        if (token.HasParameter)
            DefaultFont = param;
        return;
    case TKeyword::Uc:
        if (token.HasParameter)
            State.UnicodeSkip = std::max(param, 0);
        return;
    case TKeyword::U:
        if (!token.HasParameter)
            return;
        if (dest == TDestination::Normal)
            EmitUnicode(param);
        SkipCount = State.UnicodeSkip;
        return;
    case TKeyword::Bin:
        if (token.HasParameter)
            Tokens.SkipBinary(param);
        return;
    case TKeyword::FontTable:
        FlushText();
        State.Destination = TDestination::FontTable;
        DefiningFont = nullptr;
        return;
    case TKeyword::ColorTable:
        FlushText();
        State.Destination = TDestination::ColorTable;
        PendingColorSet = false;
        return;
    case TKeyword::SkipDestination:
        FlushText();
        State.Destination = TDestination::Skip;
        return;
    default:
        break;
    }

    if (dest == TDestination::FontTable) {
        switch (found->second.Keyword) {
        case TKeyword::F: {
            const auto it = Fonts.find(param);
            if (it != Fonts.end())
                DefiningFont = &it->second;
            else if (Fonts.size() < MaxFonts) {
                DefiningFont = &Fonts[param];
                UnnamedFonts.push_back(DefiningFont);
            } else
                DefiningFont = nullptr;
            return;
        }
        case TKeyword::FCharset:
            if (DefiningFont != nullptr)
                DefiningFont->Charset = param;
            return;
        case TKeyword::Cpg:
            if (DefiningFont != nullptr)
                DefiningFont->CodePage = param;
            return;
        default:
            return;
        }
    }
    if (dest == TDestination::ColorTable) {
        const auto component = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
        switch (found->second.Keyword) {
        case TKeyword::Red:
            PendingColor.Red = component;
            break;
        case TKeyword::Green:
            PendingColor.Green = component;
            break;
        case TKeyword::Blue:
            PendingColor.Blue = component;
            break;
        default:
            return;
        }
        PendingColorSet = true;
        return;
    }
    if (dest != TDestination::Normal)
        return;

    switch (found->second.Keyword) {
    case TKeyword::Plain:
        chr = TCharState{};
        return;
    case TKeyword::Bold:
        chr.Bold = on;
        return;
    case TKeyword::Italic:
        chr.Italic = on;
        return;
    case TKeyword::Underline:
        chr.Underline = on;
        return;
    case TKeyword::UnderlineNone:
        chr.Underline = false;
        return;
    case TKeyword::FontSize:
        chr.FontSize = token.HasParameter && param > 0 ? std::min(param, MaxFontSizeHalfPoints)
                                                       : DefaultFontSizeHalfPoints;
        return;
    case TKeyword::ColorFore:
        chr.ColorIndex = token.HasParameter ? param : 0;
        return;
    case TKeyword::F:
        chr.Font = token.HasParameter ? param : -1;
        return;
    case TKeyword::Hidden:
        chr.Hidden = on;
        return;
    case TKeyword::Pard:
        para = TParagraphFormat{};
        return;
    case TKeyword::AlignLeft:
        para.Alignment = TAlignment::Left;
        return;
    case TKeyword::AlignCenter:
        para.Alignment = TAlignment::Center;
        return;
    case TKeyword::AlignRight:
        para.Alignment = TAlignment::Right;
        return;
    case TKeyword::AlignJustify:
        para.Alignment = TAlignment::Justify;
        return;
    case TKeyword::LeftIndent:
        para.LeftIndentTwips = param;
        return;
    case TKeyword::RightIndent:
        para.RightIndentTwips = param;
        return;
    case TKeyword::FirstIndent:
        para.FirstLineIndentTwips = param;
        return;
    case TKeyword::Par:
        EndParagraph();
        return;
    case TKeyword::Line:
        LineBreak();
        return;
    case TKeyword::Tab:
        Tab();
        return;
    case TKeyword::Char:
        EmitChar(found->second.Char);
        return;
    default:
        return;
    }
}

void TParser::HandleSymbol(char symbol) {
    switch (symbol) {
    case '*':
        // An ignorable destination: its content is for readers that know it.
        FlushText();
        State.Destination = TDestination::Skip;
        return;
    case '\n':
        if (State.Destination == TDestination::Normal)
            EndParagraph();
        return;
    case '~':
        EmitChar(0x00A0);
        return;
    case '-':
        EmitChar(0x00AD);
        return;
    case '_':
        EmitChar(0x2011);
        return;
    case '{':
    case '}':
    case '\\':
        HandleByte(static_cast<std::uint8_t>(symbol));
        return;
    case '\t':
        if (State.Destination == TDestination::Normal)
            Tab();
        return;
    default:
        return;
    }
}

void TParser::HandleByte(std::uint8_t byte) {
    switch (State.Destination) {
    case TDestination::Normal:
        if (byte == '\t')
            Tab();
        else if (byte >= 0x20)
            EmitChar(DecodeByte(byte, CurrentCodePage()));
        return;
    case TDestination::FontTable:
        if (DefiningFont == nullptr || DefiningFont->NameDone)
            return;
        if (byte == ';')
            FinishFontName(*DefiningFont);
        else if (DefiningFont->RawName.size() < MaxFontNameBytes)
            DefiningFont->RawName.push_back(static_cast<char>(byte));
        return;
    case TDestination::ColorTable:
        if (byte == ';')
            EndColor();
        return;
    case TDestination::Skip:
        return;
    }
}

void TParser::HandleText(std::string_view bytes) {
    for (const char c : bytes) {
        if (SkipCount > 0) {
            --SkipCount;
            continue;
        }
        HandleByte(static_cast<std::uint8_t>(c));
    }
}

void TParser::EmitChar(char32_t ch) {
    if (State.Destination != TDestination::Normal || State.Char.Hidden)
        return;
    if (PendingHighSurrogate != 0) {
        PendingHighSurrogate = 0;
        EmitChar(ReplacementChar);
    }
    if (!PendingText.empty() && !(PendingFormat == State.Char))
        FlushText();
    if (PendingText.empty())
        PendingFormat = State.Char;
    platform::AppendUtf8(PendingText, ch);
}

void TParser::EmitUnicode(std::int32_t value) {
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0xFFFF) {
        EmitChar(ReplacementChar);
        return;
    }
    // Control characters would break the viewer's paragraph structure.
    if (value < 0x20)
        return;
    if (value >= 0xD800 && value <= 0xDBFF) {
        if (PendingHighSurrogate != 0)
            EmitChar(ReplacementChar);
        PendingHighSurrogate = static_cast<char16_t>(value);
        return;
    }
    if (value >= 0xDC00 && value <= 0xDFFF) {
        if (PendingHighSurrogate == 0) {
            EmitChar(ReplacementChar);
            return;
        }
        const char32_t high = PendingHighSurrogate;
        PendingHighSurrogate = 0;
        EmitChar(0x10000 + ((high - 0xD800) << 10) + (static_cast<char32_t>(value) - 0xDC00));
        return;
    }
    EmitChar(static_cast<char32_t>(value));
}

void TParser::FlushText() {
    if (PendingHighSurrogate != 0 && State.Destination == TDestination::Normal) {
        PendingHighSurrogate = 0;
        EmitChar(ReplacementChar);
    }
    PendingHighSurrogate = 0;
    if (PendingText.empty())
        return;
    Sink.Text(PendingText, MakeFormat(PendingFormat));
    PendingText.clear();
}

void TParser::EndParagraph() {
    FlushText();
    Sink.ParagraphEnd(State.Para, MakeFormat(State.Char));
}

void TParser::LineBreak() {
    FlushText();
    Sink.LineBreak(MakeFormat(State.Char));
}

void TParser::Tab() {
    FlushText();
    Sink.Tab(MakeFormat(State.Char));
}

int TParser::DocumentCodePage() const {
    return HasCodePageTable(AnsiCodePage) ? AnsiCodePage : DefaultCodePage;
}

int TParser::CodePageOf(const TFontEntry& font) const {
    if (font.CodePage && HasCodePageTable(*font.CodePage))
        return *font.CodePage;
    const std::optional<int> codePage = CodePageOfCharset(font.Charset);
    return codePage && HasCodePageTable(*codePage) ? *codePage : DocumentCodePage();
}

const TFontEntry* TParser::FindFont(int number) const {
    const auto it = Fonts.find(number < 0 ? DefaultFont : number);
    return it == Fonts.end() ? nullptr : &it->second;
}

int TParser::CurrentCodePage() const {
    const TFontEntry* font = FindFont(State.Char.Font);
    return font != nullptr ? CodePageOf(*font) : DocumentCodePage();
}

TCharFormat TParser::MakeFormat(const TCharState& state) const {
    TCharFormat format;
    format.Bold = state.Bold;
    format.Italic = state.Italic;
    format.Underline = state.Underline;
    format.FontSizeHalfPoints = state.FontSize;
    if (state.ColorIndex >= 0 && static_cast<std::size_t>(state.ColorIndex) < Colors.size())
        format.Color = Colors[static_cast<std::size_t>(state.ColorIndex)];
    if (const TFontEntry* font = FindFont(state.Font)) {
        format.FontName = font->Name;
        format.FontCharset = font->Charset;
    }
    return format;
}

void TParser::FinishFontName(TFontEntry& font) {
    font.NameDone = true;
    const int codePage = CodePageOf(font);
    std::string_view raw = font.RawName;
    while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\t'))
        raw.remove_prefix(1);
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t'))
        raw.remove_suffix(1);
    font.Name.clear();
    for (const char c : raw)
        if (static_cast<std::uint8_t>(c) >= 0x20)
            platform::AppendUtf8(font.Name, DecodeByte(static_cast<std::uint8_t>(c), codePage));
    font.RawName.clear();
}

void TParser::FinishFontTable() {
    for (TFontEntry* font : UnnamedFonts)
        if (!font->NameDone)
            FinishFontName(*font);
    UnnamedFonts.clear();
    DefiningFont = nullptr;
}

void TParser::EndColor() {
    if (Colors.size() < MaxColors)
        Colors.push_back(PendingColorSet ? std::optional<TRgb>(PendingColor) : std::nullopt);
    PendingColor = TRgb{};
    PendingColorSet = false;
}

class TPlainTextSink : public TRtfSink {
public:
    explicit TPlainTextSink(std::string& out) : Out(out) {}
    void Text(std::string_view utf8, const TCharFormat&) override { Out += utf8; }
    void ParagraphEnd(const TParagraphFormat&, const TCharFormat&) override { Out += '\n'; }
    void LineBreak(const TCharFormat&) override { Out += '\n'; }
    void Tab(const TCharFormat&) override { Out += '\t'; }
    void DocumentEnd(const TParagraphFormat&) override {}

private:
    std::string& Out;
};

class TNullSink : public TRtfSink {
public:
    void Text(std::string_view, const TCharFormat&) override {}
    void ParagraphEnd(const TParagraphFormat&, const TCharFormat&) override {}
    void LineBreak(const TCharFormat&) override {}
    void Tab(const TCharFormat&) override {}
    void DocumentEnd(const TParagraphFormat&) override {}
};

} // namespace

std::optional<int> CodePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return std::nullopt;
    }
}

TParseResult ParseRtf(std::string_view data, TRtfSink& sink) {
    TParser parser(data, sink);
    return parser.Run();
}

std::string RtfToPlainText(std::string_view rtf) {
    std::string out;
    TPlainTextSink sink(out);
    if (ParseRtf(rtf, sink).Status == TParseStatus::NotRtf)
        return platform::Cp1251ToUtf8(rtf);
    return out;
}

std::optional<std::size_t> RtfDocumentLength(std::string_view data) {
    TNullSink sink;
    const TParseResult result = ParseRtf(data, sink);
    if (result.Status != TParseStatus::Complete)
        return std::nullopt;
    return result.BytesUsed;
}

} // namespace rtf
