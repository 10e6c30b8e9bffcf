#include "ui/Fonts.h"
#include "rtf/RtfDocument.h"

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

// Articles name the same families as the windows, and are shown in the
// family a window would take where it is installed.
TEST(Fonts, WindowsAndArticlesShareOneTable) {
    for (const rtf::TFontSubstitute& entry : rtf::kFontSubstitutes) {
        const QString window = QFont::substitutes(QString::fromLatin1(entry.Name)).value(0);
        const QString article =
            rtf::SubstituteFontFamily(QString::fromLatin1(entry.Name).toUpper().toStdString());
        EXPECT_EQ(article, QString::fromLatin1(entry.Candidates.front())) << entry.Name;
        if (QFontDatabase::hasFamily(article)) {
            EXPECT_EQ(window.toLower(), article.toLower()) << entry.Name;
        }
    }
    EXPECT_EQ(rtf::SubstituteFontFamily("Arial"), QStringLiteral("Arial"));
}

TEST(Fonts, RegisteringAgainAddsNothing) {
    ui::RegisterFontSubstitutes();
    const QString substitute = ui::ArticleSubstituteFamily();
    EXPECT_EQ(QFont::substitutes(QString::fromLatin1(ui::kFontTimok)).count(substitute.toLower()),
              1);
}

} // namespace
