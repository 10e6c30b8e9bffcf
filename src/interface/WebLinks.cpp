#include "interface/WebLinks.h"

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
    host.ReportError(
        host.EnglishInterface()
            ? QStringLiteral("No web browser could be started to open %1.").arg(address)
            : QStringLiteral("Не може да се стартира уеб браузър, който да отвори %1.")
                  .arg(address));
}

} // namespace interface
