#include "ui/Palette.h"

#include <QtGlobal>

namespace ui {
namespace {

bool IsNameCharacter(QChar c) {
    return c.isLetterOrNumber();
}

const palette::TNamedColour* FindColour(QStringView name) {
    for (const palette::TNamedColour& colour : palette::kNamed) {
        if (name == QLatin1String(colour.Name)) {
            return &colour;
        }
    }
    return nullptr;
}

} // namespace

QString StyleSheet(QStringView sheet) {
    QString out;
    out.reserve(sheet.size() + sheet.size() / 4);
    qsizetype at = 0;
    while (at < sheet.size()) {
        const QChar c = sheet[at];
        if (c != u'@') {
            out += c;
            ++at;
            continue;
        }
        qsizetype end = at + 1;
        while (end < sheet.size() && IsNameCharacter(sheet[end])) {
            ++end;
        }
        const QStringView name = sheet.mid(at + 1, end - at - 1);
        const palette::TNamedColour* colour = FindColour(name);
        Q_ASSERT_X(colour != nullptr, "ui::StyleSheet", "a colour the palette lacks");
        if (colour == nullptr) {
            out += sheet.mid(at, end - at);
            at = end;
            continue;
        }
        const QColor rgb = QColor::fromRgb(colour->Rgb);
        qsizetype alphaEnd = end;
        if (end < sheet.size() && sheet[end] == u'/') {
            alphaEnd = end + 1;
            while (alphaEnd < sheet.size() && sheet[alphaEnd].isDigit()) {
                ++alphaEnd;
            }
        }
        if (alphaEnd > end + 1) {
            out += QStringLiteral("rgba(%1, %2, %3, %4)")
                       .arg(rgb.red())
                       .arg(rgb.green())
                       .arg(rgb.blue())
                       .arg(sheet.mid(end + 1, alphaEnd - end - 1));
            at = alphaEnd;
        } else {
            out += rgb.name();
            at = end;
        }
    }
    return out;
}

} // namespace ui
