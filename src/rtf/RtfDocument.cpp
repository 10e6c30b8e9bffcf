#include "rtf/RtfDocument.h"

#include "platform/Cp1251.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <optional>
#include <string>

namespace rtf {

namespace {

struct TFontSubstitute {
    std::string_view Name;
    const char* Family;
};

constexpr std::array<TFontSubstitute, 3> FontSubstitutes = {{
    {"Timok", "DejaVu Serif"},
    {"HebarU", "DejaVu Sans"},
    {"MS Sans Serif", "DejaVu Sans"},
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

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

// Builds the document through one cursor. A paragraph's block is opened only
// when something follows its predecessor's \par, so the \par that ends most
// documents leaves no empty last line.
class TDocumentBuilder : public TRtfSink {
public:
    TDocumentBuilder(QTextCursor& cursor, const QFont& defaultFont)
        : Cursor(cursor), DefaultFamily(defaultFont.family()) {}

    void Text(std::string_view utf8, const TCharFormat& format) override {
        OpenBlock();
        Cursor.insertText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                          QtFormat(format));
    }

    void ParagraphEnd(const TParagraphFormat& format, const TCharFormat& markFormat) override {
        OpenBlock();
        Cursor.setBlockFormat(QtBlockFormat(format));
        if (Cursor.block().length() == 1)
            Cursor.setBlockCharFormat(QtFormat(markFormat));
        BlockPending = true;
    }

    void LineBreak(const TCharFormat& format) override {
        OpenBlock();
        Cursor.insertText(QString(QChar::LineSeparator), QtFormat(format));
    }

    void Tab(const TCharFormat& format) override {
        OpenBlock();
        Cursor.insertText(QStringLiteral("\t"), QtFormat(format));
    }

    void DocumentEnd(const TParagraphFormat& lastParagraph) override {
        if (!BlockPending)
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

    const QTextCharFormat& QtFormat(const TCharFormat& format) {
        const TFormatKey key{format.Bold,      format.Italic,
                             format.Underline, format.FontSizeHalfPoints,
                             format.Color,     std::string(format.FontName)};
        if (LastKey && *LastKey == key)
            return LastFormat;
        QTextCharFormat qt;
        qt.setFontFamilies(
            {key.FontName.empty() ? DefaultFamily : SubstituteFontFamily(key.FontName)});
        qt.setFontPointSize(key.FontSize / 2.0);
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
    std::optional<TFormatKey> LastKey;
    QTextCharFormat LastFormat;
};

void InsertPlainText(QTextCursor& cursor, std::string_view bytes, const QFont& defaultFont) {
    std::string cleaned;
    cleaned.reserve(bytes.size());
    for (const char c : bytes)
        if (c != '\r' && c != '\0')
            cleaned.push_back(c);
    const std::string utf8 = platform::Cp1251ToUtf8(cleaned);
    QTextCharFormat format;
    format.setFont(defaultFont);
    cursor.insertText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), format);
}

} // namespace

QString SubstituteFontFamily(std::string_view fontName) {
    for (const TFontSubstitute& substitute : FontSubstitutes)
        if (EqualNoCase(fontName, substitute.Name))
            return QString::fromLatin1(substitute.Family);
    return QString::fromUtf8(fontName.data(), static_cast<qsizetype>(fontName.size()));
}

TParseResult LoadRtf(QTextDocument& document, std::string_view bytes, const QFont& defaultFont) {
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setDefaultFont(defaultFont);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    TDocumentBuilder builder(cursor, defaultFont);
    const TParseResult result = ParseRtf(bytes, builder);
    if (result.Status == TParseStatus::NotRtf)
        InsertPlainText(cursor, bytes, defaultFont);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undoEnabled);
    return result;
}

} // namespace rtf
