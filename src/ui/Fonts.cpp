#include "ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <initializer_list>
#include <utility>

namespace ui {

namespace {

QString FirstCyrillicFamily(std::initializer_list<const char*> candidates) {
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* candidate : candidates) {
        if (cyrillic.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
            return QLatin1String(candidate);
        }
    }
    return cyrillic.isEmpty() ? QString() : cyrillic.first();
}

} // namespace

QString CyrillicSubstituteFamily() {
    // In order of preference: the first is part of every Debian desktop.
    return FirstCyrillicFamily({"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"});
}

QString ArticleSubstituteFamily() {
    // Articles carry stress marks (combining accents); Qt 6.4 places them
    // over the wrong letters in DejaVu Sans but right in DejaVu Serif.
    return FirstCyrillicFamily({"DejaVu Serif", "Liberation Serif", "Noto Serif", "FreeSerif"});
}

void RegisterFontSubstitutes() {
    const std::pair<const char*, QString> substitutes[] = {
        {kFontHebarU, CyrillicSubstituteFamily()},
        {kFontTimok, ArticleSubstituteFamily()},
        {kFontMsSansSerif, CyrillicSubstituteFamily()},
    };
    for (const auto& [family, substitute] : substitutes) {
        const QString name = QLatin1String(family);
        if (!substitute.isEmpty() &&
            !QFont::substitutes(name).contains(substitute, Qt::CaseInsensitive)) {
            QFont::insertSubstitution(name, substitute);
        }
    }
}

} // namespace ui
