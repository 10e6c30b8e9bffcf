#include "studylist/NewWord.h"

#include "platform/Cp1251.h"
#include "rtf/RtfWriter.h"
#include "ui/Captions.h"
#include "ui/FileMessages.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/WindowPlace.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextEdit>
#include <QToolButton>

namespace studylist {
namespace {

QFont Timok(int pixels, bool bold) {
    QFont font(QString::fromLatin1(ui::kFontTimok));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TNewWord::TNewWord(TUserDictionary& dictionary, ui::TDialogs& dialogs, const ui::TDialogLook& look,
                   bool english, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), dialogs_(dialogs), english_(english) {
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(405, 276);
    if (!look.Texture.isNull()) {
        QPalette background = palette();
        background.setBrush(QPalette::Window, QBrush(look.Texture));
        setPalette(background);
        setAutoFillBackground(true);
    }

    LeftPanel = new QFrame(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setGeometry(7, 19, 292, 238);
    LeftPanel->setStyleSheet(
        ui::StyleSheet(u"#LeftPanel { background: @White/120; border: 1px solid %1;"
                       " border-radius: 5px; }"
                       "QLineEdit, QTextEdit { background: @White; color: %4;"
                       " border: 1px solid %2; border-radius: 3px; }"
                       "QLineEdit:focus, QTextEdit:focus { border: 1px solid %3; }")
            .arg(ui::CssColor(look.Frame), ui::CssColor(look.Panel, 110), ui::CssColor(look.Accent),
                 ui::CssColor(look.Panel)));
    RightPanel = new QFrame(this);
    RightPanel->setObjectName(QStringLiteral("RightPanel"));
    RightPanel->setGeometry(306, 19, 92, 238);
    RightPanel->setStyleSheet(
        ui::StyleSheet(
            QStringLiteral(
                "#RightPanel { background: %1; border: 1px solid %2; border-radius: 5px; }"
                "QToolButton { color: @White; border: none; border-radius: 4px;"
                " background: transparent; font-weight: bold; }"
                "QToolButton:hover { background: @White/28; }"
                "QToolButton:pressed { background: %3; }"
                "QLabel { color: @White; background: transparent; font-size: 12px; }"
                "QCheckBox::indicator { width: 12px; height: 12px; border-radius: 2px;"
                " border: 1px solid %2; background: @White; }"
                "QCheckBox::indicator:checked { background: %4; border: 1px solid @White; }"
                "QFrame#Rule { background: %2; }"))
            .arg(ui::CssColor(look.Panel), ui::CssColor(look.Frame), ui::CssColor(look.Accent, 70),
                 ui::CssColor(look.Accent)));

    Edit1 = new QLineEdit(LeftPanel);
    Edit1->setGeometry(6, 8, 279, 27);
    Edit1->setFont(Timok(16, true));
    RichEdit1 = new QTextEdit(LeftPanel);
    RichEdit1->setGeometry(6, 42, 279, 190);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setFont(Timok(13, false));
    RichEdit1->document()->setDefaultFont(Timok(13, false));

    const auto button = [&](const QRect& geometry, const QString& caption, const QPixmap& icon) {
        auto* b = new QToolButton(RightPanel);
        b->setGeometry(geometry);
        b->setText(caption);
        b->setCursor(Qt::PointingHandCursor);
        b->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
        if (!icon.isNull()) {
            b->setIcon(QIcon(icon));
            b->setIconSize(icon.size());
        }
        return b;
    };
    Button1 =
        button(QRect(5, 6, 81, 54), ui::Phrase(ui::TPhrase::SaveButton, english_), look.SaveIcon);
    Button2 = button(QRect(5, 64, 81, 59), ui::Phrase(ui::TPhrase::CancelWordButton, english_),
                     look.CancelIcon);

    auto* rule = new QFrame(RightPanel);
    rule->setObjectName(QStringLiteral("Rule"));
    rule->setGeometry(10, 134, 72, 1);

    QCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3};
    QLabel** labels[] = {&Label1, &Label2, &Label3};
    const char* captions[] = {"Bold", "Italic", "Underline"};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(RightPanel);
        box->setGeometry(9, 146 + 28 * i, 16, 20);
        box->setFocusPolicy(Qt::NoFocus);
        auto* label = new QLabel(QString::fromLatin1(captions[i]), RightPanel);
        label->setGeometry(28, 146 + 28 * i, 62, 20);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        *boxes[i] = box;
        *labels[i] = label;
    }
    QFont font = Label1->font();
    font.setBold(true);
    Label1->setFont(font);
    font.setBold(false);
    font.setItalic(true);
    Label2->setFont(font);
    font.setItalic(false);
    font.setUnderline(true);
    Label3->setFont(font);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    ui::PlaceOnScreen(*this, parent);
}

void TNewWord::Init(const std::string& word, int tab) {
    Edit1->setText(QString::fromStdString(platform::Cp1251ToUtf8(word)));
    tab_ = tab;
}

bool TNewWord::eventFilter(QObject* watched, QEvent* event) {
    // A click on a box's caption works the box, as a caption of its own would.
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QLabel* labels[] = {Label1, Label2, Label3};
        QCheckBox* boxes[] = {CheckBox1, CheckBox2, CheckBox3};
        for (int i = 0; i < 3; ++i) {
            if (watched == labels[i]) {
                boxes[i]->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNewWord::ApplyStyle(QCheckBox* box, const std::function<void(QTextCharFormat&, bool)>& set) {
    // Only the box's own style bit is merged into the selection (or the
    // caret's format for the text typed next): every other bit stays.
    QTextCharFormat format;
    set(format, box->isChecked());
    RichEdit1->mergeCurrentCharFormat(format);
    RichEdit1->setFocus();
}

void TNewWord::CheckBox1Click() {
    ApplyStyle(CheckBox1, [](QTextCharFormat& format, bool on) {
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    });
}

void TNewWord::CheckBox2Click() {
    ApplyStyle(CheckBox2, [](QTextCharFormat& format, bool on) { format.setFontItalic(on); });
}

void TNewWord::CheckBox3Click() {
    ApplyStyle(CheckBox3, [](QTextCharFormat& format, bool on) { format.setFontUnderline(on); });
}

void TNewWord::Button1Click() {
    const QString typed = Edit1->text().trimmed();
    std::string word;
    QString missing;
    for (const QChar ch : typed) {
        if (const auto byte = platform::UnicodeToCp1251(ch.unicode()); byte) {
            word += static_cast<char>(*byte);
        } else if (!missing.contains(ch)) {
            missing += ch;
        }
    }
    if (!missing.isEmpty()) {
        dialogs_.Error(this, ui::Phrase(ui::TPhrase::UnstorableCharacters, english_).arg(missing));
        Edit1->setFocus();
        return;
    }
    const bool hasText = !RichEdit1->toPlainText().trimmed().isEmpty();
    const std::string article = hasText ? rtf::WriteRtf(*RichEdit1->document()) : std::string();
    switch (TUserDictionary::Check(word, article)) {
    case TWordProblem::EmptyWord:
        dialogs_.Error(this, ui::Phrase(ui::TPhrase::WriteTheWord, english_));
        Edit1->setFocus();
        return;
    case TWordProblem::TooLong:
        dialogs_.Error(this, ui::Phrase(ui::TPhrase::WordTooLong, english_));
        Edit1->setFocus();
        return;
    case TWordProblem::NoLetter:
        dialogs_.Error(this, ui::Phrase(ui::TPhrase::MustBeginWithLetter, english_));
        Edit1->setFocus();
        return;
    case TWordProblem::EmptyArticle:
        dialogs_.Error(this, ui::Phrase(ui::TPhrase::WriteTheTranslation, english_));
        RichEdit1->setFocus();
        return;
    case TWordProblem::None:
        break;
    }
    if (dictionary_.Contains(word) &&
        !dialogs_.Confirm(this,
                          ui::Phrase(ui::TPhrase::AlreadyInDictionary, english_).arg(typed))) {
        return;
    }
    TSavedWord saved;
    if (const platform::TFileResult stored = dictionary_.Save(word, article, saved); !stored.Ok()) {
        dialogs_.Error(this, ui::FileErrorMessage(stored.Error(), ui::LanguageOf(english_)));
        return;
    }
    saved_ = saved;
    if (OnSaved) {
        OnSaved(saved);
    }
    accept();
}

void TNewWord::Button2Click() {
    reject();
}

void RunNewWordDialog(TUserDictionary& dictionary, ui::TDialogs& dialogs,
                      const ui::TDialogLook& look, bool english, QWidget* parent,
                      const std::string& word, int tab,
                      const std::function<void(const TSavedWord&)>& saved) {
    TNewWord dialog(dictionary, dialogs, look, english, parent);
    dialog.Init(word, tab);
    dialog.OnSaved = saved;
    dialogs.Exec(dialog);
}

} // namespace studylist
