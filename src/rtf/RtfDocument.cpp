#include "rtf/RtfDocument.h"

#include "platform/Cp1251.h"
#include "rtf/FontSubstitutes.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace rtf {

namespace {

// Qt measures margins in pixels at 96 dpi; RTF in twips (1/1440 inch).
qreal TwipsToPixels(int twips) {
    return twips / 15.0;
}

Qt::Alignment QtAlignment(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::Center:
        return Qt::AlignHCenter;
    case TAlignment::Right:
        return Qt::AlignRight;
    case TAlignment::Justify:
        return Qt::AlignJustify;
    case TAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// The number of characters in UTF-8 text.
std::size_t CountCharacters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<std::uint8_t>(c) & 0xC0) != 0x80;
    }));
}

// The first count characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t end = 0; end < utf8.size(); ++end) {
        if ((static_cast<std::uint8_t>(utf8[end]) & 0xC0) == 0x80)
            continue;
        if (seen == count)
            return utf8.substr(0, end);
        ++seen;
    }
    return utf8;
}

// The cut note, in a paragraph of its own after what was shown.
void AppendCutNote(QTextCursor& cursor, const QString& note, const QFont& defaultFont) {
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignLeft);
    QTextCharFormat format;
    format.setFont(defaultFont);
    format.setFontItalic(true);
    cursor.insertBlock(block, format);
    cursor.insertText(note, format);
}

// Builds the document through one cursor. A paragraph's block is opened only
// when something follows its predecessor's \par, so the \par that ends most
// documents leaves no empty last line. Past kMaxDocumentUnits the rest of the
// document is dropped.
class TDocumentBuilder : public TRtfSink {
public:
    TDocumentBuilder(QTextCursor& cursor, const QFont& defaultFont)
        : Cursor(cursor), DefaultFamily(defaultFont.family()) {}

    bool Cut() const { return IsCut; }

    void Text(std::string_view utf8, const TCharFormat& format) override {
        const std::size_t count = CountCharacters(utf8);
        const std::size_t fitting = Fit(count);
        if (fitting < count)
            utf8 = FirstCharacters(utf8, fitting);
        if (utf8.empty())
            return;
        OpenBlock();
        Cursor.insertText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                          QtFormat(format));
    }

    void ParagraphEnd(const TParagraphFormat& format, const TCharFormat& markFormat) override {
        if (Fit(1) == 0)
            return;
        OpenBlock();
        Cursor.setBlockFormat(QtBlockFormat(format));
        if (Cursor.block().length() == 1)
            Cursor.setBlockCharFormat(QtFormat(markFormat));
        BlockPending = true;
    }

    void LineBreak(const TCharFormat& format) override {
        if (Fit(1) == 0)
            return;
        OpenBlock();
        Cursor.insertText(QString(QChar::LineSeparator), QtFormat(format));
    }

    void Tab(const TCharFormat& format) override {
        if (Fit(1) == 0)
            return;
        OpenBlock();
        Cursor.insertText(QStringLiteral("\t"), QtFormat(format));
    }

    void DocumentEnd(const TParagraphFormat& lastParagraph) override {
        if (!BlockPending && !Cut())
            Cursor.setBlockFormat(QtBlockFormat(lastParagraph));
    }

private:
    // The formatting of a run, kept to reuse the Qt format of equal runs.
    struct TFormatKey {
        bool Bold = false;
        bool Italic = false;
        bool Underline = false;
        int FontSize = 0;
        std::optional<TRgb> Color;
        std::string FontName;
        bool operator==(const TFormatKey&) const = default;
    };

    void OpenBlock() {
        if (BlockPending)
            Cursor.insertBlock();
        BlockPending = false;
    }

    // How many of count units the document may still show; once they do not
    // all fit, the document is cut and nothing more is shown.
    std::size_t Fit(std::size_t count) {
        const std::size_t fitting = std::min(count, Remaining);
        Remaining -= fitting;
        IsCut = IsCut || fitting < count;
        return fitting;
    }

    const QTextCharFormat& QtFormat(const TCharFormat& format) {
        const TFormatKey key{format.Bold,      format.Italic,
                             format.Underline, format.FontSizeHalfPoints,
                             format.Color,     std::string(format.FontName)};
        if (LastKey && *LastKey == key)
            return LastFormat;
        QTextCharFormat qt;
        qt.setFontFamilies(
            {key.FontName.empty() ? DefaultFamily : SubstituteFontFamily(key.FontName)});
        qt.setFontPointSize(std::min(key.FontSize / 2.0, double(kMaxFontPoints)));
        qt.setFontWeight(key.Bold ? QFont::Bold : QFont::Normal);
        qt.setFontItalic(key.Italic);
        qt.setFontUnderline(key.Underline);
        if (key.Color)
            qt.setForeground(QColor(key.Color->Red, key.Color->Green, key.Color->Blue));
        LastKey = key;
        LastFormat = qt;
        return LastFormat;
    }

    static QTextBlockFormat QtBlockFormat(const TParagraphFormat& format) {
        QTextBlockFormat block;
        block.setAlignment(QtAlignment(format.Alignment));
        block.setLeftMargin(TwipsToPixels(format.LeftIndentTwips));
        block.setRightMargin(TwipsToPixels(format.RightIndentTwips));
        block.setTextIndent(TwipsToPixels(format.FirstLineIndentTwips));
        return block;
    }

    QTextCursor& Cursor;
    QString DefaultFamily;
    bool BlockPending = false;
    std::size_t Remaining = kMaxDocumentUnits;
    bool IsCut = false;
    std::optional<TFormatKey> LastKey;
    QTextCharFormat LastFormat;
};

// Shows bytes as plain text decoded from code page 1251; true when they were
// cut to kMaxDocumentUnits.
bool InsertPlainText(QTextCursor& cursor, std::string_view bytes, const QFont& defaultFont) {
    constexpr std::string_view dropped("\r\0", 2);
    std::string cleaned;
    cleaned.reserve(std::min<std::size_t>(bytes.size(), kMaxDocumentUnits));
    std::size_t used = 0;
    for (; used < bytes.size() && cleaned.size() < kMaxDocumentUnits; ++used)
        if (dropped.find(bytes[used]) == std::string_view::npos)
            cleaned.push_back(bytes[used]);
    const std::string utf8 = platform::Cp1251ToUtf8(cleaned);
    QTextCharFormat format;
    format.setFont(defaultFont);
    cursor.insertText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), format);
    return bytes.find_first_not_of(dropped, used) != std::string_view::npos;
}

} // namespace

QString SubstituteFontFamily(std::string_view fontName) {
    if (const TFontSubstitute* substitute = FindFontSubstitute(fontName)) {
        return QString::fromLatin1(substitute->Candidates.front());
    }
    return QString::fromUtf8(fontName.data(), static_cast<qsizetype>(fontName.size()));
}

TLoadResult LoadRtf(QTextDocument& document, std::string_view bytes, const QFont& defaultFont,
                    const QString& cutNote) {
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setDefaultFont(defaultFont);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    TDocumentBuilder builder(cursor, defaultFont);
    TLoadResult result;
    static_cast<TParseResult&>(result) = ParseRtf(bytes, builder);
    result.Cut = result.Status == TParseStatus::NotRtf ? InsertPlainText(cursor, bytes, defaultFont)
                                                       : builder.Cut();
    if (result.Cut)
        AppendCutNote(cursor, cutNote, defaultFont);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undoEnabled);
    return result;
}

} // namespace rtf
