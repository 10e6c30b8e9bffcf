// The article pane's document builder on any bytes: it must show exactly the
// text the reader finds, and plain text when the bytes are not RTF.
#include "tests/fuzz/FuzzSupport.h"

#include "platform/Cp1251.h"
#include "rtf/RtfDocument.h"

#include <QFont>
#include <QGuiApplication>
#include <QTextDocument>

namespace {

class TNullSink : public rtf::TRtfSink {
public:
    void Text(std::string_view, const rtf::TCharFormat&) override {}
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override {}
    void LineBreak(const rtf::TCharFormat&) override {}
    void Tab(const rtf::TCharFormat&) override {}
    void DocumentEnd(const rtf::TParagraphFormat&) override {}
};

// The document's plain text turns paragraph and line separators into line
// feeds and non-breaking spaces into spaces; the reader's text gets the same.
QString Normalized(QString text) {
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::Nbsp, u' ');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Fonts need an application. It lives until the process ends: libFuzzer
    // leaves through exit(), and an application torn down by exit handlers
    // finds Qt's globals already gone.
    static int argc = 1;
    static char* args[] = {(*argv)[0], nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, args);
    (void)application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    QFont font(QStringLiteral("Timok"));
    font.setPixelSize(16);
    QTextDocument document;
    const rtf::TParseResult result = rtf::LoadRtf(document, bytes, font);

    TNullSink sink;
    const rtf::TParseResult parsed = rtf::ParseRtf(bytes, sink);
    fuzz::Check(result.Status == parsed.Status && result.BytesUsed == parsed.BytesUsed,
                "the document and the reader disagree on the data");

    const QString shown = Normalized(document.toPlainText());
    if (result.Status == rtf::TParseStatus::NotRtf) {
        std::string cleaned;
        for (const char c : bytes) {
            if (c != '\r' && c != '\0') {
                cleaned.push_back(c);
            }
        }
        const QString expected =
            Normalized(QString::fromStdString(platform::Cp1251ToUtf8(cleaned)));
        fuzz::Check(shown == expected, "plain text is not shown as it is");
        return 0;
    }
    // A document's closing paragraph mark opens no empty last line.
    const QString read = Normalized(QString::fromStdString(rtf::RtfToPlainText(bytes)));
    fuzz::Check(shown == read || shown + u'\n' == read,
                "the document shows other text than the reader found");
    return 0;
}
