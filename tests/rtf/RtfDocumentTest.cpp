#include "rtf/RtfDocument.h"

#include <QFont>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

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

std::string Repeat(std::string_view piece, int times) {
    std::string out;
    out.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Valid documents that ask for more than a reader can use. Qt's text layout
// never finishes the first two, which pass about 2^23 pixels; it takes
// seconds over the third; the last may put each letter on a line of its own.
std::vector<std::pair<std::string, std::string>> CraftedArticles() {
    return {
        {"a 22 KB article in a huge font",
         "{\\rtf1\\ansi\\fs3276 " + Repeat("x\\par ", 3700) + "}"},
        {"a hundred thousand paragraphs", "{\\rtf1\\ansi\\fs144 " + Repeat("\\par", 100000) + "}"},
        {"plain text of many lines", std::string(700000, '\n')},
        {"a line narrower than a letter",
         "{\\rtf1\\ansi\\fs144\\li2000000\\ri2000000 " + std::string(80000, 'x') + "}"},
    };
}

qreal PixelSize(const QTextCharFormat& format, const QFont& documentFont) {
    const qreal points =
        format.fontPointSize() > 0 ? format.fontPointSize() : documentFont.pointSizeF();
    return points > 0 ? points * 96 / 72 : documentFont.pixelSize();
}

// What the laid-out document can reach at most: every character on a line
// of its own, each line half again as tall as its block's largest font.
qreal WorstCaseHeight(const QTextDocument& document) {
    qreal height = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        qreal largest = PixelSize(block.charFormat(), document.defaultFont());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            largest =
                std::max(largest, PixelSize(it.fragment().charFormat(), document.defaultFont()));
        height += std::max(1, block.length() - 1) * largest * 1.5;
    }
    return height;
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

TEST(RtfDocumentLimits, CraftedArticlesStayWithinWhatThePaneCanLayOut) {
    QTextDocument document;
    for (const auto& [name, bytes] : CraftedArticles()) {
        LoadRtf(document, bytes, PaneFont());
        EXPECT_LT(WorstCaseHeight(document), 1 << 22) << name;
    }
}

TEST(RtfDocumentLimits, ALongArticleIsCutWithANoteAndHugeFontsAreShownSmaller) {
    QTextDocument document;
    const QString note = QStringLiteral("(cut)");
    const std::string exact = std::string(rtf::kMaxDocumentUnits - 1, 'a') + "\\par";
    auto result = LoadRtf(document, "{\\rtf1 " + exact + "}", PaneFont(), note);
    EXPECT_FALSE(result.Cut) << "exactly as much as may be shown";
    EXPECT_EQ(result.Status, TParseStatus::Complete);

    result = LoadRtf(document, "{\\rtf1\\fs3276 " + exact + " b\\par}", PaneFont(), note);
    EXPECT_TRUE(result.Cut);
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    EXPECT_EQ(document.toPlainText(),
              QString(rtf::kMaxDocumentUnits - 1, u'a') + QStringLiteral("\n") + note);
    EXPECT_DOUBLE_EQ(FormatOf(document, QStringLiteral("aa")).fontPointSize(), 72.0);
    EXPECT_TRUE(FormatOf(document, note).fontItalic());

    // A run that crosses the bound keeps its first characters, whole.
    result = LoadRtf(document, "{\\rtf1 " + Repeat("\\'e0", rtf::kMaxDocumentUnits + 5) + "}",
                     PaneFont(), note);
    EXPECT_TRUE(result.Cut);
    EXPECT_EQ(document.begin().text(), QString(rtf::kMaxDocumentUnits, u'а'));

    result = LoadRtf(document, std::string(rtf::kMaxDocumentUnits, 'x') + "\r", PaneFont(), note);
    EXPECT_FALSE(result.Cut) << "carriage returns are not shown";
    result = LoadRtf(document, std::string(rtf::kMaxDocumentUnits + 1, 'x'), PaneFont(), note);
    EXPECT_TRUE(result.Cut);
    EXPECT_EQ(document.toPlainText(), QString(rtf::kMaxDocumentUnits, u'x') + "\n" + note);
}

// Each document is laid out in a child process that an alarm ends, so a
// layout that never finishes fails here instead of hanging the run.
TEST(RtfDocumentLimits, CraftedArticlesAreLaidOut) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const auto& [name, bytes] : CraftedArticles()) {
        EXPECT_EXIT(
            {
                ::alarm(30);
                QTextDocument document;
                LoadRtf(document, bytes, PaneFont());
                document.setTextWidth(380);
                std::_Exit(document.size().height() > 0 ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << name;
    }
}

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
