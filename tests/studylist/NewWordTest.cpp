// The add-word dialog opened from the search box, saving into the user
// dictionary, and its formatting boxes.
#include "studylist/NewWord.h"
#include "dictionary/Lookup.h"
#include "lookup/TabControl.h"
#include "rtf/RtfReader.h"
#include "tests/studylist/TestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace studylisttest;
using studylist::TNewWord;

constexpr int kH = 'H' - 'A';
constexpr int kP = 'P' - 'A';

// Types into the dialog's editor as a user would.
void Write(QTextEdit* editor, const QString& text) {
    editor->setFocus();
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key(ch.toUpper().unicode()), QString(ch),
                            Qt::NoModifier);
    }
}

class NewWordTest : public WindowTest {
protected:
    // Enter on a word the index does not know; the dialog is handled by fill.
    void EnterUnknown(const QString& typed, const std::function<void(TNewWord&)>& fill) {
        form_->Layout().Combo->SetText({});
        Type(typed);
        opened_ = 0;
        onDialog_ = [&](QDialog& dialog) {
            ++opened_;
            fill(dynamic_cast<TNewWord&>(dialog));
        };
        Press(Qt::Key_Return);
        onDialog_ = nullptr;
    }

    dictionary::DictionaryIndex Reload() const {
        dictionary::DictionaryIndex index;
        index.Load(Dir());
        return index;
    }

    int opened_ = 0;
};

TEST_F(NewWordTest, SavedWordsAreFoundAtOnceWithTheirFormatting) {
    Start();
    EnterUnknown(QStringLiteral("hxz"), [&](TNewWord& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" "));
        EXPECT_EQ(dialog.size(), QSize(405, 276));
        EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("hxz"));
        EXPECT_EQ(dialog.Tab(), kH);
        EXPECT_TRUE(dialog.RichEdit1->document()->isEmpty());
        EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Запис"));
        EXPECT_EQ(dialog.Button2->text(), QStringLiteral("Отказ"));
        EXPECT_EQ(dialog.Label3->text(), QStringLiteral("Underline"));
        EXPECT_FALSE(dialog.CheckBox1->isChecked() || dialog.CheckBox2->isChecked() ||
                     dialog.CheckBox3->isChecked());
        Write(dialog.RichEdit1, QStringLiteral("хикс"));
        dialog.CheckBox1->click();
        Write(dialog.RichEdit1, QStringLiteral(" удебелено"));
        dialog.Button1->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    ASSERT_EQ(opened_, 1);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), kH);
    EXPECT_EQ(form_->Layout().Combo->Text(), "hxz");
    EXPECT_EQ(Article(), QStringLiteral("хикс удебелено"));
    const QTextBlock block = form_->Layout().RichEdit1->document()->begin();
    EXPECT_FALSE(block.begin().fragment().charFormat().font().bold());
    EXPECT_TRUE((++block.begin()).fragment().charFormat().font().bold());

    // The search box finds it by typing, the clipboard by shortening.
    form_->Layout().Combo->SetText({});
    Type(QStringLiteral("hx"));
    Press(Qt::Key_Return);
    EXPECT_EQ(opened_, 1) << "no dialog: the word is known now";
    EXPECT_EQ(form_->Lookup().LastLookup().Text, "hxz");
    form_->Layout().RichEdit1->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("hxzs, more"));
    ProcessEvents();
    EXPECT_EQ(form_->Layout().Combo->Text(), "hxz");
    EXPECT_EQ(Article(), QStringLiteral("хикс удебелено"));

    // A second word, of another letter.
    EnterUnknown(QStringLiteral("pz"), [&](TNewWord& dialog) {
        Write(dialog.RichEdit1, QStringLiteral("пи-зед"));
        dialog.Button1Click();
    });
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), kP);
    EXPECT_EQ(Article(), QStringLiteral("пи-зед"));

    const auto index = Reload();
    const auto& h = index.Letter(kH).HeadWords();
    EXPECT_EQ(std::vector<std::string>(h.begin(), h.end()),
              (std::vector<std::string>{"hot", "hotel", "hour", "house", "household", "hxz"}));
    EXPECT_EQ(index.Letter(kH).Article(index.Letter(kH).Size() - 1).IsBase, 0);
    EXPECT_EQ(index.Letter(kP).HeadWords().back(), "pz");
    EXPECT_EQ(rtf::RtfToPlainText(dictionary::ReadArticle(
                  index, kH, index.Letter(kH).Record(index.Letter(kH).Size() - 1))),
              "хикс удебелено\n");
}

// The word is filed by its own first letter, not by the tab that was
// selected when Enter was pressed, or no look-up would ever find it.
TEST_F(NewWordTest, EditedFirstLetterFilesTheWordUnderItsOwnLetter) {
    Start();
    EnterUnknown(QStringLiteral("hqq"), [&](TNewWord& dialog) {
        dialog.Edit1->setText(QStringLiteral("  ябълка "));
        Write(dialog.RichEdit1, QStringLiteral("apple"));
        dialog.Button1Click();
        EXPECT_EQ(dialog.Tab(), kH) << "the tab at Enter is kept";
        ASSERT_TRUE(dialog.Saved());
        EXPECT_EQ(dialog.Saved()->Tab, 57);
    });
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 57);
    EXPECT_EQ(Article(), QStringLiteral("apple"));
    EXPECT_FALSE(form_->Layout().Button7->isEnabled()) << "a Bulgarian word is not pronounced";
    EXPECT_TRUE(fs::exists(Dir() / "bg" / "user_32.ref"));
    EXPECT_FALSE(fs::exists(Dir() / "eg" / "user_h.ref"));
    EXPECT_EQ(Reload().Letter(57).HeadWords(),
              std::vector<std::string_view>{"\xFF\xE1\xFA\xEB\xEA\xE0"})
        << "saved without the spaces around it";

    form_->Layout().Combo->SetText({});
    Type(QStringLiteral("ябъ"));
    Press(Qt::Key_Return);
    EXPECT_EQ(opened_, 1);
    EXPECT_EQ(Article(), QStringLiteral("apple"));
}

TEST_F(NewWordTest, UnsavableWordsKeepTheDialogOpenAndWriteNothing) {
    Start('2');
    const std::string index = ReadFile(Dir() / "eg" / "base_h.dak");
    EnterUnknown(QStringLiteral("hqq"), [&](TNewWord& dialog) {
        const auto attempt = [&](const QString& word, const QString& article) {
            dialog.Edit1->setText(word);
            dialog.RichEdit1->setPlainText(article);
            const auto before = errors_.size();
            dialog.Button1Click();
            EXPECT_EQ(errors_.size(), before + 1) << word.toStdString();
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            return errors_.empty() ? QString() : errors_.back();
        };
        EXPECT_EQ(attempt(QStringLiteral("  "), QStringLiteral("x")),
                  QStringLiteral("Write the word."));
        EXPECT_EQ(attempt(QStringLiteral("hqq"), QStringLiteral(" \n ")),
                  QStringLiteral("Write the translation."));
        EXPECT_TRUE(
            attempt(QString(102, u'h'), QStringLiteral("x")).contains(QStringLiteral("101")));
        EXPECT_TRUE(
            attempt(QStringLiteral("h日本"), QStringLiteral("x")).contains(QStringLiteral("日本")));
        EXPECT_TRUE(attempt(QStringLiteral("@home"), QStringLiteral("x"))
                        .contains(QStringLiteral("letter")));

        // An existing word: No keeps the dialog open, Yes adds a second entry.
        dialog.Edit1->setText(QStringLiteral("house"));
        answer_ = false;
        dialog.Button1Click();
        ASSERT_EQ(questions_.size(), 1u);
        EXPECT_TRUE(questions_[0].contains(QStringLiteral("house")));
        EXPECT_FALSE(dialog.Saved());
        EXPECT_FALSE(fs::exists(Dir() / "eg" / "user_h.ref"));
        EXPECT_EQ(ReadFile(Dir() / "eg" / "base_h.dak"), index);
        answer_ = true;
        dialog.Button1Click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    const auto reloaded = Reload();
    const auto& words = reloaded.Letter(kH).HeadWords();
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[3], "house");
    EXPECT_EQ(words[4], "house");
    EXPECT_EQ(form_->Layout().Combo->ItemIndex(), 4) << "the new entry is shown";
    EXPECT_EQ(Article(), QStringLiteral("x"));
}

TEST_F(NewWordTest, CancelAndTheCloseBoxSaveNothing) {
    Start();
    const std::string index = ReadFile(Dir() / "eg" / "base_h.dak");
    EnterUnknown(QStringLiteral("hqq"), [&](TNewWord& dialog) {
        Write(dialog.RichEdit1, QStringLiteral("nothing"));
        dialog.Button2->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EnterUnknown(QStringLiteral("hqq"), [&](TNewWord& dialog) {
        EXPECT_TRUE(dialog.RichEdit1->document()->isEmpty()) << "a fresh dialog each time";
        Write(dialog.RichEdit1, QStringLiteral("nothing"));
        dialog.show();
        dialog.close();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EXPECT_EQ(opened_, 1);
    EXPECT_EQ(ReadFile(Dir() / "eg" / "base_h.dak"), index);
    EXPECT_FALSE(fs::exists(Dir() / "eg" / "user_h.ref"));
    EXPECT_EQ(form_->Layout().Combo->Count(), 5);
}

TEST_F(NewWordTest, ReadOnlyFolderGivesTheFileError) {
    Start();
    // Root writes into any folder: a read-only index file stands in for it.
    fs::permissions(Dir() / "eg" / "base_h.dak",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EnterUnknown(QStringLiteral("hqq"), [&](TNewWord& dialog) {
        Write(dialog.RichEdit1, QStringLiteral("x"));
        dialog.Button1Click();
        EXPECT_FALSE(dialog.Saved());
    });
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QString::fromStdString((Dir() / "eg" / "base_h.dak").string())))
        << errors_[0].toStdString();
    EXPECT_FALSE(fs::exists(Dir() / "eg" / "user_h.ref") &&
                 fs::file_size(Dir() / "eg" / "user_h.ref") > 0);
    EXPECT_EQ(form_->Layout().Combo->Count(), 5);
}

// The formatting boxes, on a dialog of its own.
class FormattingTest : public ::testing::Test {
protected:
    FormattingTest() : dictionary_(index_), dialog_(dictionary_, dialogs_, {}, false) {
        dialog_.show();
        dialog_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    }

    // The editor's text as runs "text:BIU" (upper case: on).
    QString Styles() {
        QStringList runs;
        QString last;
        for (QTextBlock block = Editor()->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                const QString style = QString(f.fontWeight() >= QFont::Bold ? u'B' : u'b') +
                                      (f.fontItalic() ? u'I' : u'i') +
                                      (f.fontUnderline() ? u'U' : u'u');
                if (!runs.isEmpty() && style == last) {
                    runs.back().insert(runs.back().indexOf(u':'), it.fragment().text());
                } else {
                    runs.push_back(it.fragment().text() + u':' + style);
                }
                last = style;
            }
        }
        return runs.join(u' ');
    }

    QTextEdit* Editor() { return dialog_.RichEdit1; }

    void Select(int from, int to) {
        QTextCursor cursor(Editor()->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Editor()->setTextCursor(cursor);
    }

    dictionary::DictionaryIndex index_;
    studylist::TUserDictionary dictionary_;
    ui::TDialogs dialogs_;
    TNewWord dialog_;
};

TEST_F(FormattingTest, BoxesChangeOnlyTheirOwnBit) {
    Write(Editor(), QStringLiteral("aa"));
    dialog_.CheckBox1->click(); // bold for what is typed next
    Write(Editor(), QStringLiteral("bb"));
    EXPECT_EQ(Styles(), QStringLiteral("aa:biu bb:Biu")) << "text already there keeps its style";
    dialog_.CheckBox1->click();
    dialog_.CheckBox2->click();
    Write(Editor(), QStringLiteral("cc"));
    EXPECT_EQ(Styles(), QStringLiteral("aa:biu bb:Biu cc:bIu"));

    // Underline over a mixed selection: italic and bold stay as they were.
    Select(1, 5);
    dialog_.CheckBox3->click();
    EXPECT_EQ(Styles(), QStringLiteral("a:biu a:biU bb:BiU c:bIU c:bIu"));
    // Italic over it: the whole selection italic, each part its bold.
    EXPECT_TRUE(dialog_.CheckBox2->isChecked()) << "the boxes do not follow the caret";
    dialog_.CheckBox2->click(); // unchecks: italic off for the selection
    dialog_.CheckBox2->click(); // checks: italic on
    EXPECT_EQ(Styles(), QStringLiteral("a:biu a:bIU bb:BIU c:bIU c:bIu"));
    dialog_.CheckBox3->click(); // unchecked: only the underline goes
    EXPECT_EQ(Styles(), QStringLiteral("a:biu a:bIu bb:BIu cc:bIu"));
    EXPECT_TRUE(Editor()->hasFocus()) << "the editor gets the keyboard back";

    // A click on a caption works its box.
    QTest::mouseClick(dialog_.Label1, Qt::LeftButton);
    EXPECT_TRUE(dialog_.CheckBox1->isChecked());
    EXPECT_EQ(Styles(), QStringLiteral("a:biu abbc:BIu c:bIu"));
}

// Another program holds the letter's index locked while the user saves: the
// dialog says that the dictionary is busy and stays open with the typed
// article, and the save succeeds once the other lets go. The lock is held
// by an open file of this process, which flock treats as another holder.
TEST_F(NewWordTest, ABusyDictionaryKeepsTheDialogAndItsArticle) {
    Start();
    const fs::path indexPath = Dir() / "eg" / "base_h.dak";
    const int holder = ::open(indexPath.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    EnterUnknown(QStringLiteral("hxz"), [&](TNewWord& dialog) {
        Write(dialog.RichEdit1, QStringLiteral("хикс"));
        dialog.Button1->click();
        ASSERT_EQ(errors_.size(), 1u);
        EXPECT_TRUE(errors_[0].contains(QStringLiteral("Речникът е зает")))
            << errors_[0].toStdString();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open";
        EXPECT_EQ(dialog.RichEdit1->toPlainText(), QStringLiteral("хикс")) << "the text is kept";
        ::close(holder);
        dialog.Button1->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_EQ(Article(), QStringLiteral("хикс"));
}

} // namespace
