// The RTF writer against the reader: what the add-word dialog writes, the
// article pane shows the same.
#include "rtf/RtfWriter.h"
#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

struct Run {
    QString Text;
    QString Family;
    int HalfPoints;
    bool Bold;
    bool Italic;
    bool Underline;
    QRgb Color; // 0: no colour of its own
    bool operator==(const Run&) const = default;
};

// The document as runs per paragraph, merging neighbours of equal look.
std::vector<std::vector<Run>> Runs(const QTextDocument& document) {
    std::vector<std::vector<Run>> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        std::vector<Run> runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QFont font = format.font().resolve(document.defaultFont());
            const qreal points =
                font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
            Run run{
                it.fragment().text(),
                rtf::SubstituteFontFamily(font.families().value(0, font.family()).toStdString()),
                static_cast<int>(std::lround(points * 2)),
                font.weight() >= QFont::DemiBold,
                font.italic(),
                font.underline(),
                format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().rgb()
                                                                 : 0};
            if (!runs.empty()) {
                Run merged = runs.back();
                merged.Text = run.Text;
                if (merged == run) {
                    runs.back().Text += run.Text;
                    continue;
                }
            }
            runs.push_back(run);
        }
        paragraphs.push_back(runs);
    }
    return paragraphs;
}

QTextCharFormat Format(const char* family, int pixels, bool bold, bool italic, bool underline,
                       QColor color = {}) {
    QTextCharFormat format;
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    format.setFont(font);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    if (color.isValid()) {
        format.setForeground(color);
    }
    return format;
}

TEST(RtfWriter, RoundTripKeepsTextFormattingAndParagraphs) {
    QTextDocument document;
    QFont base(QStringLiteral("Timok"));
    base.setPixelSize(13);
    document.setDefaultFont(base);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("house "), Format("Timok", 16, true, false, false));
    cursor.insertText(QStringLiteral("[haʊs]"), Format("DejaVu Sans", 13, false, true, false));
    cursor.insertText(QStringLiteral(" къща, дом"),
                      Format("Timok", 13, false, false, true, QColor(200, 30, 40)));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("a \\ b {c} € ʃ\tend"),
                      Format("Timok", 20, true, true, true, QColor(0, 0, 255)));
    QTextBlockFormat indented;
    indented.setLeftMargin(30);
    indented.setTextIndent(-10);
    cursor.insertBlock(indented, Format("Timok", 26, false, false, false));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("last"), Format("Timok", 13, false, false, false));

    const std::string rtf = rtf::WriteRtf(document);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1251")) << rtf;
    EXPECT_NE(rtf.find("\\'ea\\'fa\\'f9\\'e0"), std::string::npos) << "къща as code page bytes";
    EXPECT_NE(rtf.find("\\u643?"), std::string::npos) << "ʃ is outside the code page";
    for (const char c : rtf) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "7-bit output";
    }
    ASSERT_TRUE(rtf::RtfDocumentLength(rtf)) << "one complete document";
    EXPECT_EQ(*rtf::RtfDocumentLength(rtf), rtf.size());

    QTextDocument back;
    ASSERT_EQ(rtf::LoadRtf(back, rtf, base).Status, rtf::TParseStatus::Complete);
    EXPECT_EQ(back.toPlainText(), document.toPlainText());
    EXPECT_EQ(Runs(back), Runs(document));
    ASSERT_EQ(back.blockCount(), 4);
    EXPECT_EQ(back.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(back.findBlockByNumber(2).blockFormat().leftMargin(), 30);
    EXPECT_EQ(back.findBlockByNumber(2).blockFormat().textIndent(), -10);
    EXPECT_EQ(back.findBlockByNumber(2).charFormat().font().pointSizeF(), 19.5)
        << "an empty line keeps its height";
}

TEST(RtfWriter, PlainTextInTheDefaultFont) {
    QTextDocument document;
    QFont base(QStringLiteral("Timok"));
    base.setPixelSize(13);
    document.setDefaultFont(base);
    document.setPlainText(QStringLiteral("ябълка\n\napple"));
    const std::string rtf = rtf::WriteRtf(document);
    EXPECT_EQ(rtf::RtfToPlainText(rtf), "ябълка\n\napple\n");
    QTextDocument back;
    rtf::LoadRtf(back, rtf, QFont());
    EXPECT_EQ(Runs(back), Runs(document));
}

} // namespace
