#include "studylist/AddWords.h"

#include "platform/Cp1251.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Palette.h"
#include "ui/WindowPlace.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace studylist {

namespace {

constexpr int kKeyRole = Qt::UserRole;

} // namespace

std::optional<std::string> KnownHeadWord(const dictionary::DictionaryIndex& index,
                                         const QString& word) {
    const auto bytes = ui::ToCodePageExactly(word.trimmed());
    const int tab = bytes ? dictionary::TabOfWord(*bytes) : dictionary::kNoTab;
    if (!dictionary::IsValidTab(tab)) {
        return std::nullopt;
    }
    const auto& words = index.Letter(tab).HeadWords();
    if (std::find(words.begin(), words.end(), *bytes) != words.end()) {
        return bytes;
    }
    for (const std::string_view headWord : words) {
        if (platform::CompareNoCase(headWord, *bytes) == 0) {
            return std::string(headWord);
        }
    }
    return std::nullopt;
}

TAddWords::TAddWords(const dictionary::DictionaryIndex& index, int tab, bool english,
                     const ui::TDialogLook& look, QWidget* parent)
    : QDialog(parent), index_(index), tab_(dictionary::IsValidTab(tab) ? tab : 0),
      english_(english), warning_(look.Warning) {
    setWindowTitle(ui::Phrase(ui::TPhrase::AddItemsTitle, english_));
    resize(540, 380);
    setObjectName(QStringLiteral("AddWords"));
    if (!look.Texture.isNull()) {
        QPalette background = palette();
        background.setBrush(QPalette::Window, QBrush(look.Texture));
        setPalette(background);
        setAutoFillBackground(true);
    }
    setStyleSheet(
        ui::StyleSheet(
            QStringLiteral(
                "QFrame#Card { background: @White/130; border: 1px solid %1;"
                " border-radius: 5px; }"
                "QLabel { color: %2; background: transparent; }"
                "QLabel#Heading { font-weight: bold; }"
                "QLineEdit, QPlainTextEdit, QListWidget { background: @White; color: %2;"
                " border: 1px solid %3; border-radius: 3px; }"
                "QLineEdit:focus, QPlainTextEdit:focus, QListWidget:focus { border: 1px solid %4; }"
                "QListWidget::item { padding: 1px 4px; }"
                "QListWidget::item:hover { padding: 1px 4px; background: @Teal/40; }"
                "QListWidget::item:selected { padding: 1px 4px; background: %1; color: @White; }"
                "QPushButton { color: @White; background: %2; border: 1px solid %1; border-radius: "
                "4px;"
                " padding: 5px 14px; font-weight: bold; }"
                "QPushButton:hover { background: %5; }"
                "QPushButton:pressed { background: %4; }"
                "QPushButton:disabled { color: @DisabledTextLight; }"))
            .arg(ui::CssColor(look.Frame), ui::CssColor(look.Panel), ui::CssColor(look.Panel, 110),
                 ui::CssColor(look.Accent), ui::CssColor(look.Panel.lighter(140))));

    auto* left = new QFrame(this);
    left->setObjectName(QStringLiteral("Card"));
    auto* right = new QFrame(this);
    right->setObjectName(QStringLiteral("Card"));

    Heading = new QLabel(left);
    Heading->setObjectName(QStringLiteral("Heading"));
    Filter = new QLineEdit(left);
    Filter->setPlaceholderText(ui::Phrase(ui::TPhrase::FindPlaceholder, english_));
    Filter->setClearButtonEnabled(true);
    HeadWordList = new QListWidget(left);
    HeadWordList->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(Heading);
    leftLayout->addWidget(Filter);
    leftLayout->addWidget(HeadWordList, 1);

    auto* pasteHeading = new QLabel(ui::Phrase(ui::TPhrase::PasteHeading, english_), right);
    pasteHeading->setObjectName(QStringLiteral("Heading"));
    PasteBox = new QPlainTextEdit(right);
    PasteBox->setTabChangesFocus(true);
    CheckList = new QListWidget(right);
    CheckList->setSelectionMode(QAbstractItemView::NoSelection);
    CheckList->setFocusPolicy(Qt::NoFocus);
    CheckList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckList->setTextElideMode(Qt::ElideMiddle);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(pasteHeading);
    rightLayout->addWidget(PasteBox, 3);
    rightLayout->addWidget(CheckList, 2);

    Summary = new QLabel(this);
    AddButton = new QPushButton(ui::Phrase(ui::TPhrase::AddButton, english_), this);
    if (!look.AddIcon.isNull()) {
        // The icon is drawn on the panel colour; disabled, it sinks into that
        // colour instead of showing a grey square.
        QIcon icon(look.AddIcon);
        QPixmap dimmed = look.AddIcon;
        QPainter painter(&dimmed);
        QColor veil = look.Panel;
        veil.setAlpha(170);
        painter.fillRect(dimmed.rect(), veil);
        painter.end();
        icon.addPixmap(dimmed, QIcon::Disabled);
        AddButton->setIcon(icon);
        AddButton->setIconSize(QSize(20, 20));
    }
    AddButton->setDefault(true);
    CancelButton = new QPushButton(ui::Phrase(ui::TPhrase::CancelButton, english_), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Summary, 1);
    buttons->addWidget(AddButton);
    buttons->addWidget(CancelButton);

    auto* columns = new QHBoxLayout;
    columns->addWidget(left, 1);
    columns->addWidget(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(Filter, &QLineEdit::textChanged, this, [this] { FillList(); });
    connect(HeadWordList, &QListWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
    connect(PasteBox, &QPlainTextEdit::textChanged, this, [this] { CheckPasted(); });
    connect(AddButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    FillList();
    Filter->setFocus();
    ui::PlaceOnScreen(*this, parent);
}

void TAddWords::FillList() {
    const auto filter = ui::ToCodePageExactly(Filter->text().trimmed());
    int tab = tab_;
    if (filter && !filter->empty() && dictionary::IsValidTab(dictionary::TabOfWord(*filter))) {
        tab = dictionary::TabOfWord(*filter);
    }
    listedTab_ = tab;
    Heading->setText(ui::Phrase(ui::TPhrase::WordsOfLetter, english_)
                         .arg(ui::FromCodePage(std::string(1, dictionary::TabCaption(tab)))));
    filling_ = true;
    HeadWordList->clear();
    const auto& words = index_.Letter(tab).HeadWords();
    for (std::size_t p = 0; filter && p < words.size(); ++p) {
        if (!platform::StartsWithNoCase(words[p], *filter)) {
            continue;
        }
        auto* item = new QListWidgetItem(ui::FromCodePage(words[p]), HeadWordList);
        item->setData(kKeyRole, QVariant::fromValue(static_cast<qulonglong>(p)));
        if (std::find(chosen_.begin(), chosen_.end(), TKey(tab, p)) != chosen_.end()) {
            item->setSelected(true);
        }
    }
    filling_ = false;
    UpdateSummary();
}

void TAddWords::SelectionChanged() {
    if (filling_) {
        return;
    }
    for (int row = 0; row < HeadWordList->count(); ++row) {
        const QListWidgetItem* item = HeadWordList->item(row);
        const TKey key(listedTab_, static_cast<std::size_t>(item->data(kKeyRole).toULongLong()));
        const auto found = std::find(chosen_.begin(), chosen_.end(), key);
        if (item->isSelected() && found == chosen_.end()) {
            chosen_.push_back(key);
        } else if (!item->isSelected() && found != chosen_.end()) {
            chosen_.erase(found);
        }
    }
    UpdateSummary();
}

void TAddWords::CheckPasted() {
    pastedKnown_.clear();
    pastedUnknown_.clear();
    CheckList->clear();
    const QStringList lines = PasteBox->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString word = line.trimmed();
        if (word.isEmpty()) {
            continue;
        }
        auto* item = new QListWidgetItem(CheckList);
        if (const auto headWord = KnownHeadWord(index_, word); headWord) {
            pastedKnown_.push_back(*headWord);
            item->setText(QStringLiteral("✓  ") + ui::FromCodePage(*headWord));
        } else {
            pastedUnknown_.push_back(word);
            item->setText(QStringLiteral("✗  ") + word + QStringLiteral(" — ") +
                          ui::Phrase(ui::TPhrase::NotInDictionary, english_));
            item->setForeground(warning_);
            item->setToolTip(word);
        }
    }
    UpdateSummary();
}

void TAddWords::UpdateSummary() {
    const std::size_t count = ChosenWords().size();
    QString text = ui::Phrase(ui::TPhrase::ToAdd, english_).arg(count);
    if (!pastedUnknown_.isEmpty()) {
        text += ui::Phrase(ui::TPhrase::UnknownLeftOut, english_).arg(pastedUnknown_.size());
    }
    Summary->setText(text);
    AddButton->setEnabled(count > 0);
}

std::vector<std::string> TAddWords::ChosenWords() const {
    std::vector<std::string> words;
    const auto add = [&words](std::string word) {
        if (std::find(words.begin(), words.end(), word) == words.end()) {
            words.push_back(std::move(word));
        }
    };
    for (const auto& [tab, position] : chosen_) {
        add(std::string(index_.Letter(tab).HeadWord(position)));
    }
    for (const std::string& word : pastedKnown_) {
        add(word);
    }
    return words;
}

QStringList TAddWords::UnknownWords() const {
    return pastedUnknown_;
}

} // namespace studylist
