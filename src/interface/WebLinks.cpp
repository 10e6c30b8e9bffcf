#include "interface/WebLinks.h"

#include <QUrl>

namespace interface {

void OpenWebLink(TWebLink link, TInterfaceHost& host, const ui::TEnvironment& environment) {
    const QString address = QString::fromLatin1(WebAddress(link));
    if (environment.OpenUrl(QUrl(address))) {
        return;
    }
    host.ReportError(
        host.EnglishInterface()
            ? QStringLiteral("No web browser could be started to open %1.").arg(address)
            : QStringLiteral("Не може да се стартира уеб браузър, който да отвори %1.")
                  .arg(address));
}

} // namespace interface
