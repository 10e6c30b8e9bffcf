// The dialog that adds several words at once.
#include "studylist/AddWords.h"
#include "tests/studylist/TestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

using namespace studylisttest;
using studylist::TAddWords;

class AddWordsTest : public WindowTest {
protected:
    QStringList Listed(TAddWords& dialog) {
        QStringList words;
        for (int i = 0; i < dialog.HeadWordList->count(); ++i) {
            words.push_back(dialog.HeadWordList->item(i)->text());
        }
        return words;
    }
};

TEST_F(AddWordsTest, KnownHeadWordsMatchExactlyOrByCase) {
    Start();
    const auto& index = form_->Index();
    EXPECT_EQ(studylist::KnownHeadWord(index, QStringLiteral(" house ")), "house");
    EXPECT_EQ(studylist::KnownHeadWord(index, QStringLiteral("HOUSE")), "house");
    EXPECT_EQ(studylist::KnownHeadWord(index, QStringLiteral("polish")), "polish");
    EXPECT_EQ(studylist::KnownHeadWord(index, QStringLiteral("POLISH")), "Polish");
    EXPECT_EQ(studylist::KnownHeadWord(index, QStringLiteral("КЪЩА")),
              std::string("\xEA\xFA\xF9\xE0"));
    EXPECT_FALSE(studylist::KnownHeadWord(index, QStringLiteral("hous")));
    EXPECT_FALSE(studylist::KnownHeadWord(index, QStringLiteral("日本")));
    EXPECT_FALSE(studylist::KnownHeadWord(index, QStringLiteral("@")));
}

TEST_F(AddWordsTest, PickedAndPastedWordsAreAddedUnknownOnesShown) {
    Start('2');
    Type(QStringLiteral("ho"));
    onDialog_ = [&](QDialog& base) {
        auto& dialog = dynamic_cast<TAddWords&>(base);
        EXPECT_EQ(dialog.ListedTab(), 'H' - 'A') << "the letter of the search box";
        EXPECT_EQ(Listed(dialog).size(), 5);
        EXPECT_FALSE(dialog.AddButton->isEnabled());
        dialog.Filter->setText(QStringLiteral("HOU"));
        EXPECT_EQ(Listed(dialog), (QStringList{"hour", "house", "household"}));
        dialog.HeadWordList->item(1)->setSelected(true);
        dialog.Filter->setText(QStringLiteral("w"));
        EXPECT_EQ(dialog.ListedTab(), 'W' - 'A') << "the filter's first letter picks the letter";
        dialog.HeadWordList->item(0)->setSelected(true);
        dialog.Filter->setText(QStringLiteral("hou"));
        EXPECT_TRUE(dialog.HeadWordList->item(1)->isSelected()) << "picks survive the filter";
        dialog.PasteBox->setPlainText(QStringLiteral("Run\n\n  hot \nflurb\nhouse\nдом\r\n"));
        EXPECT_EQ(dialog.UnknownWords(), QStringList{"flurb"});
        EXPECT_EQ(dialog.CheckList->count(), 5);
        EXPECT_TRUE(
            dialog.CheckList->item(2)->text().contains(QStringLiteral("not in the dictionary")));
        EXPECT_TRUE(dialog.Summary->text().contains(QStringLiteral("1 unknown")));
        dialog.AddButton->click();
    };
    form_->StudyList().AddWords({"hot"});
    form_->Layout().Button13->click();
    EXPECT_EQ(form_->StudyList().Items(),
              (std::vector<std::string>{"hot", "house", "walk", "run", "\xE4\xEE\xEC"}));
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("5 Words"));

    onDialog_ = [&](QDialog& base) {
        auto& dialog = dynamic_cast<TAddWords&>(base);
        dialog.HeadWordList->item(0)->setSelected(true);
        dialog.CancelButton->click();
    };
    form_->Layout().Button13->click();
    EXPECT_EQ(form_->StudyList().Count(), 5) << "cancelled";
}

} // namespace
