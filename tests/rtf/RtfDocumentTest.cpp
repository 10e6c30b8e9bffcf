#include "rtf/RtfDocument.h"

#include <QFont>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>
#include <string>

using rtf::LoadRtf;
using rtf::TParseStatus;

namespace {

const std::string Article =
    R"rtf({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Timok;})rtf"
    R"rtf({\f1\fnil\fcharset0 DejaVu Sans;}}{\colortbl;\red0\green0\blue0;\red0\green64\blue160;)rtf"
    R"rtf(\red128\green0\blue0;}\uc1\pard\plain\ql\f0\fs32{\b house} {\cf2 [\u712?ha\u650?s]})rtf"
    R"rtf(\line\par{\i n}\par\qc 1. \'ea\'fa\'f9\'e0, {\ul\fs20 \'e4\'ee\'ec}\par})rtf";

QFont PaneFont() {
    return QFont(QStringLiteral("DejaVu Serif"), 11);
}

// The character format of the first character of fragment.
QTextCharFormat FormatOf(const QTextDocument& document, const QString& fragment) {
    const QTextCursor found = document.find(fragment);
    EXPECT_FALSE(found.isNull()) << fragment.toStdString();
    QTextCursor at(const_cast<QTextDocument*>(&document));
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

} // namespace

TEST(RtfDocument, ArticleTextAndFormats) {
    QTextDocument document;
    const auto result = LoadRtf(document, Article, PaneFont());
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    // The \par that ends the document leaves no empty last paragraph.
    EXPECT_EQ(document.toPlainText(), QStringLiteral("house [ˈhaʊs]\n\nn\n1. къща, дом"));
    EXPECT_EQ(document.begin().text(), QStringLiteral("house [ˈhaʊs]\u2028"));
    EXPECT_EQ(document.blockCount(), 3);

    const QTextCharFormat house = FormatOf(document, QStringLiteral("house"));
    EXPECT_EQ(house.fontWeight(), QFont::Bold);
    EXPECT_FALSE(house.fontItalic());
    EXPECT_DOUBLE_EQ(house.fontPointSize(), 16.0);
    EXPECT_EQ(house.fontFamilies().toStringList(), QStringList{QStringLiteral("DejaVu Serif")});
    EXPECT_FALSE(house.hasProperty(QTextFormat::ForegroundBrush));

    const QTextCharFormat transcription = FormatOf(document, QStringLiteral("haʊs"));
    EXPECT_EQ(transcription.foreground().color(), QColor(0, 64, 160));
    EXPECT_NE(transcription.fontWeight(), QFont::Bold);

    EXPECT_TRUE(FormatOf(document, QStringLiteral("n")).fontItalic());
    const QTextCharFormat dom = FormatOf(document, QStringLiteral("дом"));
    EXPECT_TRUE(dom.fontUnderline());
    EXPECT_DOUBLE_EQ(dom.fontPointSize(), 10.0);
    EXPECT_FALSE(FormatOf(document, QStringLiteral("къща")).fontUnderline());

    EXPECT_EQ(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(document.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST(RtfDocument, ParagraphFormats) {
    QTextDocument document;
    LoadRtf(document,
            R"({\rtf1\qr\li300\ri150\fi-150 right\par\pard\qj justified\par\par\qc centred})",
            PaneFont());
    ASSERT_EQ(document.blockCount(), 4);
    const QTextBlockFormat right = document.begin().blockFormat();
    EXPECT_EQ(right.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(right.leftMargin(), 20.0);
    EXPECT_DOUBLE_EQ(right.rightMargin(), 10.0);
    EXPECT_DOUBLE_EQ(right.textIndent(), -10.0);
    const QTextBlock justified = document.begin().next();
    EXPECT_EQ(justified.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(justified.blockFormat().leftMargin(), 0.0);
    EXPECT_TRUE(justified.next().text().isEmpty());
    // The last paragraph takes the format in force at the end of the document.
    EXPECT_EQ(document.lastBlock().text(), QStringLiteral("centred"));
    EXPECT_EQ(document.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST(RtfDocument, TabsLineBreaksAndFonts) {
    QTextDocument document;
    LoadRtf(document,
            R"({\rtf1{\fonttbl{\f0 HebarU;}{\f1 MS Sans Serif;}{\f2 Nimbus Sans;}})"
            R"(\f0 a\tab\f1 b\line\f2 c{\fs48 d}})",
            PaneFont());
    EXPECT_EQ(document.blockCount(), 1);
    EXPECT_EQ(document.begin().text(), QStringLiteral("a\tb\u2028cd"));
    EXPECT_EQ(FormatOf(document, QStringLiteral("a")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("DejaVu Sans")});
    EXPECT_EQ(FormatOf(document, QStringLiteral("b")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("DejaVu Sans")});
    EXPECT_EQ(FormatOf(document, QStringLiteral("c")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Nimbus Sans")});
    EXPECT_DOUBLE_EQ(FormatOf(document, QStringLiteral("d")).fontPointSize(), 24.0);
    EXPECT_EQ(rtf::SubstituteFontFamily("timok"), QStringLiteral("DejaVu Serif"));
}

TEST(RtfDocument, PlainTextFallbackAndReplacement) {
    QTextDocument document;
    LoadRtf(document, Article, PaneFont());
    const auto result = LoadRtf(document, "\xea\xfa\xf9\xe0\r\nhouse {\\b x}", PaneFont());
    EXPECT_EQ(result.Status, TParseStatus::NotRtf);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("къща\nhouse {\\b x}"));
    EXPECT_EQ(document.blockCount(), 2);
    const QTextCharFormat plain = FormatOf(document, QStringLiteral("house"));
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_EQ(plain.font().family(), QStringLiteral("DejaVu Serif"));

    LoadRtf(document, "", PaneFont());
    EXPECT_TRUE(document.isEmpty());
    EXPECT_EQ(document.blockCount(), 1);
}

TEST(RtfDocument, MutatedArticlesBuildDocuments) {
    std::mt19937 random(11);
    QTextDocument document;
    for (int iteration = 0; iteration < 300; ++iteration) {
        std::string data = Article;
        for (int i = 0; i < 6; ++i) {
            const std::size_t at = random() % data.size();
            if (random() % 2 == 0)
                data[at] = static_cast<char>(random() % 256);
            else
                data.insert(at, 1, "{}\\"[random() % 3]);
        }
        LoadRtf(document, data, PaneFont());
        ASSERT_LE(document.characterCount(), static_cast<int>(data.size()) + 1) << iteration;
    }
}

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
