#include "interface/HelpWindow.h"

#include "platform/FileIo.h"
#include "ui/Captions.h"
#include "ui/WindowPlace.h"

#include <QFileInfo>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include <string>

namespace interface {

QVariant THelpBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    // Built-in resources cannot block; a name without a scheme is a file.
    if (!url.isLocalFile() && !url.scheme().isEmpty()) {
        return QTextBrowser::loadResource(type, name);
    }
    const QString file = url.isLocalFile() ? url.toLocalFile() : url.path();
    std::string bytes;
    if (!platform::ReadWholeFile(file.toStdString(), bytes, kMaxResourceBytes).Ok()) {
        // Empty, not null: for a null answer the document would open the
        // file itself, with a blocking open.
        return QByteArray();
    }
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TForm8::TForm8(QWidget* owner, bool english) : QDialog(owner), english_(english) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Marendov Tamir English Free Dictionary Help"));
    resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new THelpBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    // Pages link to one another inside the window; addresses on the web go
    // to the desktop's browser.
    WebBrowser1->setOpenLinks(true);
    WebBrowser1->setOpenExternalLinks(true);
    layout->addWidget(WebBrowser1);
    ui::PlaceOnScreen(*this, owner);
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm8::FormShow() {
    const QString path = QString::fromStdString(HelpPage.string());
    const QFileInfo page(path);
    if (page.isFile() && page.isReadable()) {
        WebBrowser1->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
        if (!WebBrowser1->document()->isEmpty()) {
            return;
        }
    }
    const QString heading = ui::Phrase(ui::TPhrase::HelpPageNotFound, english_);
    const QString detail = ui::Phrase(ui::TPhrase::HelpPageMissing, english_);
    WebBrowser1->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>")
                             .arg(heading.toHtmlEscaped(), detail.arg(path).toHtmlEscaped()));
}

void ShowHelpPage(QWidget* owner, const std::filesystem::path& page, bool english,
                  const ui::TEnvironment& environment) {
    TForm8 window(owner, english);
    window.HelpPage = page;
    environment.RunHelp(window);
}

} // namespace interface
