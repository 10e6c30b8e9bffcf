#include "ui/Captions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using ui::TLanguage;
using ui::TTextKind;

TEST(CaptionsTest, EveryControlHasOneTextOfEachKind) {
    std::set<std::pair<std::string, TTextKind>> seen;
    for (const auto table : {ui::SwitchedTexts(), ui::FixedTexts()}) {
        for (const ui::TWindowText& text : table) {
            EXPECT_TRUE(seen.emplace(text.Control, text.Kind).second) << text.Control;
            EXPECT_FALSE(QString::fromUtf8(text.English).isEmpty()) << text.Control;
        }
    }
    for (const ui::TWindowText& text : ui::FixedTexts()) {
        EXPECT_STREQ(text.Bulgarian, text.English) << text.Control << " stays as built";
    }
}

TEST(CaptionsTest, BuiltInCaptionsDifferFromTheSwitchsBulgarianWhereTheyShould) {
    EXPECT_EQ(ui::BuiltInText("N19"), QStringLiteral("&Нов"));
    EXPECT_EQ(ui::WindowText("N19", TTextKind::Caption, TLanguage::Bulgarian), "Нов");
    EXPECT_EQ(ui::WindowText("N21", TTextKind::Caption, TLanguage::English), "Close");
    EXPECT_EQ(ui::BuiltInText("F11"), "&Помощ" + QString(24, u' ') + "F1");
    EXPECT_EQ(ui::WindowText("F11", TTextKind::Caption, TLanguage::English),
              "Help" + QString(9, u' ') + "F1");
    EXPECT_EQ(ui::BuiltInText("RzGroupBox2"), QStringLiteral("  Гласни  "));
    EXPECT_EQ(ui::BuiltInText("Combo", TTextKind::Hint), QStringLiteral("Напишете дума за превод"));
    EXPECT_EQ(ui::WindowText("Combo", TTextKind::Hint, TLanguage::Bulgarian),
              QStringLiteral("напишете дума за превод"));
    EXPECT_EQ(ui::WindowText("Delete1", TTextKind::Caption, TLanguage::English), "&Delete");
    EXPECT_EQ(ui::WindowText("Button5", TTextKind::Hint, TLanguage::English),
              QStringLiteral("Метод 1"))
        << "the method buttons' hints stay Bulgarian";
    EXPECT_TRUE(ui::BuiltInText("NoSuchControl").isEmpty());
}

TEST(CaptionsTest, TheHangmanHintHasOneApostrophe) {
    EXPECT_EQ(ui::WindowText("Button10", TTextKind::Hint, TLanguage::English),
              QStringLiteral("Let's play with HangMan"));
}

TEST(CaptionsTest, TheCountLabelIsSingularForExactlyOneEntry) {
    EXPECT_EQ(ui::CountLabel(0, TLanguage::English), "0 Words");
    EXPECT_EQ(ui::CountLabel(1, TLanguage::English), "1 Word");
    EXPECT_EQ(ui::CountLabel(2, TLanguage::English), "2 Words");
    EXPECT_EQ(ui::CountLabel(1, TLanguage::Bulgarian), QStringLiteral("1 Дума"));
    EXPECT_EQ(ui::CountLabel(21, TLanguage::Bulgarian), QStringLiteral("21 Думи"));
}

// Every phrase is written in both languages, Bulgarian first in its row.
TEST(CaptionsTest, EveryPhraseHasBothLanguages) {
    for (int p = 0; p <= static_cast<int>(ui::TPhrase::NoWebBrowser); ++p) {
        const auto phrase = static_cast<ui::TPhrase>(p);
        EXPECT_FALSE(ui::Phrase(phrase, TLanguage::Bulgarian).isEmpty()) << p;
        EXPECT_FALSE(ui::Phrase(phrase, TLanguage::English).isEmpty()) << p;
    }
    EXPECT_EQ(ui::Phrase(ui::TPhrase::HelpPageNotFound, true), QStringLiteral("Page not found"));
    EXPECT_EQ(ui::Phrase(ui::TPhrase::HelpPageNotFound, false),
              QStringLiteral("Страницата не е намерена"));
}

} // namespace
