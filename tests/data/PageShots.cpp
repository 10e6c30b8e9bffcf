// Renders the data folder's reference, key and help pages to PNG files, as
// the program shows them, so that a person can look at them:
//   data_page_shots DATA_DIR OUT_DIR
#include "rtf/RtfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The whole of a page, not only its first screen: the editor is made as tall
// as its document.
void Shoot(QTextEdit& view, int width, const QString& out) {
    view.resize(width, 100);
    view.document()->setTextWidth(view.viewport()->width());
    const int height = static_cast<int>(view.document()->size().height()) + 8;
    view.resize(width, std::max(height, 60));
    view.grab().save(out);
    std::printf("%s\n", qPrintable(out));
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: data_page_shots DATA_DIR OUT_DIR\n");
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    // The article pane: 402 pixels wide, "Timok" (a serif) at 16 pixels.
    QFont articleFont(QStringLiteral("DejaVu Serif"));
    articleFont.setPixelSize(16);
    for (const char* page : {"bg", "eng", "order", "orderEn"}) {
        QTextEdit view;
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view.setFont(articleFont);
        const QByteArray bytes = ReadAll(data.filePath(QStringLiteral("rtf/%1.rtf").arg(page)));
        rtf::LoadRtf(*view.document(), std::string_view(bytes.constData(), bytes.size()),
                     articleFont);
        Shoot(view, 402, out.filePath(QStringLiteral("rtf-%1.png").arg(page)));
    }

    // The pronunciation key's strip, 311 x 27, one line at a time: the 48
    // strips stacked.
    {
        const QByteArray bytes = ReadAll(data.filePath(QStringLiteral("rtf/trans.rtf")));
        QImage sheet(311, 48 * 29, QImage::Format_ARGB32);
        sheet.fill(Qt::gray);
        QPainter painter(&sheet);
        QTextEdit strip;
        strip.setEnabled(false);
        strip.setLineWrapMode(QTextEdit::NoWrap);
        strip.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        strip.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        strip.resize(311, 27);
        rtf::LoadRtf(*strip.document(), std::string_view(bytes.constData(), bytes.size()),
                     articleFont);
        for (int n = 1; n <= 48; ++n) {
            QTextCursor cursor(strip.document()->findBlockByNumber(n - 1));
            strip.setTextCursor(cursor);
            strip.verticalScrollBar()->setValue(static_cast<int>(
                strip.document()->documentLayout()->blockBoundingRect(cursor.block()).top()));
            painter.drawPixmap(0, (n - 1) * 29, strip.grab());
        }
        painter.end();
        sheet.save(out.filePath(QStringLiteral("trans.png")));
        std::printf("%s\n", qPrintable(out.filePath(QStringLiteral("trans.png"))));
    }

    // Help pages in the help window's browser, 620 pixels wide.
    const QDir help(data.filePath(QStringLiteral("hlp")));
    for (const QString& name : help.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        QTextBrowser view;
        view.setSource(QUrl::fromLocalFile(help.filePath(name)));
        Shoot(view, 620, out.filePath(QStringLiteral("hlp-%1.png").arg(name.chopped(4))));
    }
    return 0;
}
