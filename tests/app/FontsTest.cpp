#include "app/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(Fonts, DesignFamiliesResolveToACyrillicSubstitute) {
    const QString substitute = app::CyrillicSubstituteFamily();
    ASSERT_FALSE(substitute.isEmpty());
    EXPECT_TRUE(QFontDatabase::writingSystems(substitute).contains(QFontDatabase::Cyrillic));
    for (const char* family : {app::kFontHebarU, app::kFontTimok, app::kFontMsSansSerif}) {
        const QString name = QString::fromLatin1(family);
        EXPECT_TRUE(QFont::substitutes(name).contains(substitute, Qt::CaseInsensitive)) << family;
        QFont font(name);
        font.setPixelSize(16);
        EXPECT_EQ(QFontInfo(font).family(), substitute) << family;
    }
}

TEST(Fonts, RegisteringAgainAddsNothing) {
    app::RegisterFontSubstitutes();
    const QString substitute = app::CyrillicSubstituteFamily();
    EXPECT_EQ(QFont::substitutes(QString::fromLatin1(app::kFontTimok)).count(substitute.toLower()),
              1);
}

} // namespace
