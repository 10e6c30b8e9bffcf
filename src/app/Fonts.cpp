#include "app/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace app {

QString CyrillicSubstituteFamily() {
    // In order of preference: the first is part of every Debian desktop.
    static const char* const candidates[] = {"DejaVu Sans", "Liberation Sans", "Noto Sans",
                                             "FreeSans"};
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* candidate : candidates) {
        if (cyrillic.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
            return QLatin1String(candidate);
        }
    }
    return cyrillic.isEmpty() ? QString() : cyrillic.first();
}

void RegisterFontSubstitutes() {
    const QString substitute = CyrillicSubstituteFamily();
    if (substitute.isEmpty()) {
        return;
    }
    for (const char* family : {kFontHebarU, kFontTimok, kFontMsSansSerif}) {
        const QString name = QLatin1String(family);
        if (!QFont::substitutes(name).contains(substitute, Qt::CaseInsensitive)) {
            QFont::insertSubstitution(name, substitute);
        }
    }
}

} // namespace app
