#include "interface/WebLinks.h"

#include "ui/Captions.h"

#include <QUrl>

namespace interface {

void OpenWebLink(TWebLink link, TInterfaceHost& host, const ui::TEnvironment& environment) {
    const QString address = QString::fromLatin1(WebAddress(link));
    if (environment.OpenUrl(QUrl(address))) {
        return;
    }
    host.ReportError(ui::Phrase(ui::TPhrase::NoWebBrowser, host.EnglishInterface()).arg(address));
}

} // namespace interface
