#include "ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace ui {

namespace {

QString FirstCyrillicFamily(const std::array<const char*, 4>& candidates) {
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* candidate : candidates) {
        if (cyrillic.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
            return QLatin1String(candidate);
        }
    }
    return cyrillic.isEmpty() ? QString() : cyrillic.first();
}

QString SubstituteOf(const char* family) {
    return FirstCyrillicFamily(rtf::FindFontSubstitute(family)->Candidates);
}

} // namespace

QString CyrillicSubstituteFamily() {
    return SubstituteOf(kFontHebarU);
}

QString ArticleSubstituteFamily() {
    return SubstituteOf(kFontTimok);
}

void RegisterFontSubstitutes() {
    for (const rtf::TFontSubstitute& entry : rtf::kFontSubstitutes) {
        const QString name = QLatin1String(entry.Name);
        const QString substitute = FirstCyrillicFamily(entry.Candidates);
        if (!substitute.isEmpty() &&
            !QFont::substitutes(name).contains(substitute, Qt::CaseInsensitive)) {
            QFont::insertSubstitution(name, substitute);
        }
    }
}

} // namespace ui
