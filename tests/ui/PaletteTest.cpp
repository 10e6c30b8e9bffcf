#include "ui/Palette.h"
#include "ui/FlatButtons.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(Palette, StyleSheetsNameTheirColours) {
    EXPECT_EQ(ui::StyleSheet(u"QLabel#Panel4 { color: @Teal; border: 1px solid @Amber/60; }"),
              QStringLiteral("QLabel#Panel4 { color: #2a9d8f;"
                             " border: 1px solid rgba(242, 165, 65, 60); }"));
    EXPECT_EQ(ui::StyleSheet(u"@White/0 @Black"), QStringLiteral("rgba(255, 255, 255, 0) #000000"))
        << "a name at either end";
    EXPECT_EQ(ui::StyleSheet(u"width: %1px; color: @TabText;").arg(7),
              QStringLiteral("width: 7px; color: #10253f;"))
        << "arguments are left for arg()";
    EXPECT_EQ(ui::StyleSheet(u"color: @Amber/;"), QStringLiteral("color: #f2a541/;"))
        << "no digits, no opacity";
}

TEST(Palette, EveryNameIsOneColour) {
    QSet<QString> names;
    for (const ui::palette::TNamedColour& colour : ui::palette::kNamed) {
        const QString name = QString::fromLatin1(colour.Name);
        EXPECT_FALSE(names.contains(name)) << colour.Name;
        names.insert(name);
        EXPECT_EQ(ui::StyleSheet(QStringLiteral("@") + name), QColor::fromRgb(colour.Rgb).name())
            << colour.Name;
    }
}

TEST(Palette, TheProgramsSheetsNameOnlyKnownColours) {
    EXPECT_FALSE(ui::FlatButtonStyle().contains(u'@')) << ui::FlatButtonStyle().toStdString();
}

} // namespace
