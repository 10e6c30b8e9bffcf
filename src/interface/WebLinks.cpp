#include "interface/WebLinks.h"

#include "ui/Captions.h"

#include <QDesktopServices>

namespace interface {

std::function<bool(const QUrl&)> OpenUrl = [](const QUrl& url) {
    return QDesktopServices::openUrl(url);
};

void OpenWebLink(TWebLink link, TInterfaceHost& host) {
    const QString address = QString::fromLatin1(WebAddress(link));
    if (OpenUrl(QUrl(address))) {
        return;
    }
    host.ReportError(ui::Phrase(ui::TPhrase::NoWebBrowser, host.EnglishInterface()).arg(address));
}

} // namespace interface
