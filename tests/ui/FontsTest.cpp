#include "ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(Fonts, DesignFamiliesResolveToACyrillicSubstitute) {
    const QString labels = ui::CyrillicSubstituteFamily();
    const QString articles = ui::ArticleSubstituteFamily();
    for (const std::pair<const char*, QString>& expected :
         {std::pair{ui::kFontHebarU, labels}, std::pair{ui::kFontTimok, articles},
          std::pair{ui::kFontMsSansSerif, labels}}) {
        const auto& [family, substitute] = expected;
        ASSERT_FALSE(substitute.isEmpty()) << family;
        EXPECT_TRUE(QFontDatabase::writingSystems(substitute).contains(QFontDatabase::Cyrillic));
        const QString name = QString::fromLatin1(family);
        EXPECT_TRUE(QFont::substitutes(name).contains(substitute, Qt::CaseInsensitive)) << family;
        QFont font(name);
        font.setPixelSize(16);
        EXPECT_EQ(QFontInfo(font).family(), substitute) << family;
    }
}

TEST(Fonts, RegisteringAgainAddsNothing) {
    ui::RegisterFontSubstitutes();
    const QString substitute = ui::ArticleSubstituteFamily();
    EXPECT_EQ(QFont::substitutes(QString::fromLatin1(ui::kFontTimok)).count(substitute.toLower()),
              1);
}

} // namespace
