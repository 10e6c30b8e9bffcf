#include "StudyList.h"

#include "AddWords.h"
#include "StudyListFile.h"
#include "dictionary/Lookup.h"
#include "lookup/CodePageText.h"
#include "platform/Cp1251.h"
#include "platform/Paths.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace studylist {

using lookup::FromCodePage;
using lookup::ToCodePage;
using lookup::ToCodePageExactly;
namespace {

std::filesystem::path PathOf(const QString& name) {
    return std::filesystem::path(name.toStdString());
}

} // namespace

TStudyList::TStudyList(const TStudyListControls& controls, dictionary::TMainWindowState& state,
                       TStudyListHost& host, TDialogs& dialogs, TDialogLook look, QWidget* window)
    : QObject(window), c_(controls), state_(state), host_(host), dialogs_(dialogs),
      look_(std::move(look)), window_(window) {
    QListWidget* list = c_.ListBox1;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    // The keyboard moves the selection through currentRowChanged; a mouse
    // click picks on release, also when it lands on the entry already
    // selected. Selections made from code pick nothing.
    connect(list, &QListWidget::currentRowChanged, this, [this](int) {
        if (!selecting_ && !mouseDown_) {
            ListBox1Click();
        }
    });
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { ListBox1Click(); });
    connect(c_.Delete1, &QAction::triggered, this, [this] { Delete1Click(); });
    list->setCursor(Qt::ArrowCursor);
}

bool TStudyList::eventFilter(QObject* watched, QEvent* event) {
    QListWidget* list = c_.ListBox1;
    if (watched == list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                // The right button does not move the selection; it opens the
                // menu once an entry has been picked.
                if (popupArmed_) {
                    dialogs_.Popup(*c_.PopupMenu1, mouse->globalPosition().toPoint());
                }
                return true;
            }
            mouseDown_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            mouseDown_ = false;
        }
    } else if (watched == list) {
        if (event->type() == QEvent::KeyPress) {
            ListBox1KeyDown(static_cast<QKeyEvent*>(event)->key());
        } else if (event->type() == QEvent::KeyRelease &&
                   !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            ListBox1KeyUp(static_cast<QKeyEvent*>(event)->key());
        }
    }
    return QObject::eventFilter(watched, event);
}

int TStudyList::Count() const {
    return c_.ListBox1->count();
}

std::string TStudyList::Item(int position) const {
    const QListWidgetItem* item = c_.ListBox1->item(position);
    return item == nullptr ? std::string() : ToCodePage(item->text());
}

std::vector<std::string> TStudyList::Items() const {
    std::vector<std::string> entries;
    for (int i = 0; i < Count(); ++i) {
        entries.push_back(Item(i));
    }
    return entries;
}

int TStudyList::ItemIndex() const {
    // The list view may have a current row that is not selected (it makes the
    // first row current when it gets the focus); only a selected row counts.
    const int row = c_.ListBox1->currentRow();
    return row >= 0 && c_.ListBox1->item(row)->isSelected() ? row : -1;
}

void TStudyList::SetItemIndex(int position) {
    selecting_ = true;
    c_.ListBox1->setCurrentRow(position >= 0 && position < Count() ? position : -1);
    selecting_ = false;
}

QString TStudyList::Texts(const char* bulgarian, const char* english) const {
    return QString::fromUtf8(state_.EnglishInterface() ? english : bulgarian);
}

void TStudyList::ListChanged() {
    const int count = Count();
    c_.Label1->setText(QString::number(count) + Texts(" Думи", " Words"));
    c_.Button2->setEnabled(count > 0);
    c_.Button4->setVisible(count > 0);
    c_.ListBox1->setCursor(count > 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TStudyList::ListBox1Click() {
    const int row = ItemIndex();
    if (row < 0) {
        return;
    }
    popupArmed_ = true;
    const std::string entry = Item(row);
    const int tab = dictionary::TabOfWord(entry);
    if (dictionary::IsValidTab(tab)) {
        state_.SetTabIndex(tab);
    }
    state_.FillSearchBox();
    const int current = state_.TabIndex();
    const int found = entry.empty() || !dictionary::IsValidTab(current)
                          ? -1
                          : dictionary::FindWord(state_.Index().Letter(current).HeadWords, entry);
    state_.SetSearchBoxItemIndex(found);
    state_.SearchBoxChanged();
    host_.StopVoicePlayback();
    host_.ApplyPronounceAvailability(current);
}

void TStudyList::DeleteSelected(bool fromMenu) {
    if (ItemIndex() < 0) {
        return;
    }
    if (!dialogs_.Confirm(window_, Texts("Сигурни ли сте ?", "Are you sure ?"))) {
        return;
    }
    const int row = ItemIndex();
    if (row >= 0) {
        selecting_ = true;
        delete c_.ListBox1->takeItem(row);
        c_.ListBox1->setCurrentRow(-1);
        selecting_ = false;
    }
    if (fromMenu) {
        popupArmed_ = false;
    }
    ListChanged();
}

void TStudyList::Delete1Click() {
    DeleteSelected(true);
}

void TStudyList::ListBox1KeyDown(int key) {
    if (key == Qt::Key_Delete) {
        DeleteSelected(false);
    }
}

void TStudyList::ListBox1KeyUp(int key) {
    if (key == Qt::Key_Space && host_.PronounceButtonEnabled()) {
        host_.Pronounce();
    }
}

void TStudyList::SetItems(const std::vector<std::string>& entries) {
    selecting_ = true;
    c_.ListBox1->clear();
    for (const std::string& entry : entries) {
        c_.ListBox1->addItem(FromCodePage(entry));
    }
    selecting_ = false;
    ListChanged();
}

void TStudyList::AddWords(const std::vector<std::string>& words) {
    std::vector<std::string> present = Items();
    QListWidgetItem* last = nullptr;
    for (const std::string& word : words) {
        const auto found = std::find(present.begin(), present.end(), word);
        if (found != present.end()) {
            last = c_.ListBox1->item(static_cast<int>(found - present.begin()));
            continue;
        }
        present.push_back(word);
        c_.ListBox1->addItem(FromCodePage(word));
        last = c_.ListBox1->item(Count() - 1);
    }
    if (last != nullptr) {
        c_.ListBox1->scrollToItem(last);
    }
    ListChanged();
}

void TStudyList::Button1Click() {
    host_.SwitchToStandardView();
    const int tab = state_.TabIndex();
    const int position = state_.SearchBoxItemIndex();
    if (!dictionary::IsValidTab(tab) || position < 0 ||
        static_cast<std::size_t>(position) >= state_.Index().Letter(tab).Size()) {
        host_.Beep();
        return;
    }
    AddWords(
        {std::string(state_.Index().Letter(tab).HeadWords[static_cast<std::size_t>(position)])});
}

void TStudyList::Button13Click() {
    host_.SwitchToStandardView();
    TAddWords dialog(state_.Index(), state_.TabIndex(), state_.EnglishInterface(), look_, window_);
    if (dialogs_.Exec(dialog) == QDialog::Accepted) {
        AddWords(dialog.ChosenWords());
    }
    host_.FocusSearchBox();
}

bool TStudyList::ReadInto(const std::filesystem::path& path) {
    std::vector<std::string> entries;
    TFileError error;
    if (!ReadStudyListFile(path, entries, error)) {
        dialogs_.Error(window_, QString::fromStdString(error.Message()));
        return false;
    }
    SetItems(entries);
    return true;
}

void TStudyList::Button3Click() {
    host_.SwitchToStandardView();
    const QString name = dialogs_.OpenFileName(window_, QStringLiteral("Напълни коша"));
    if (!name.isEmpty()) {
        ReadInto(PathOf(name));
    }
    host_.FocusSearchBox();
}

void TStudyList::Button2Click() {
    host_.SwitchToStandardView();
    const QString name = dialogs_.SaveFileName(window_, QStringLiteral("Запиши коша"));
    if (!name.isEmpty()) {
        TFileError error;
        if (!WriteStudyListFile(PathOf(name), Items(), error)) {
            dialogs_.Error(window_, QString::fromStdString(error.Message()));
            return;
        }
    }
    host_.FocusSearchBox();
}

void TStudyList::Button4Click() {
    selecting_ = true;
    c_.ListBox1->clear();
    selecting_ = false;
    popupArmed_ = false;
    c_.Label1->clear();
    c_.Button4->hide();
    c_.Button2->setEnabled(false);
    host_.FocusSearchBox();
    c_.ListBox1->setCursor(Qt::ArrowCursor);
}

void TStudyList::N19Click() {
    host_.SwitchToStandardView();
    if (Count() > 0 && !dialogs_.Confirm(window_, Texts("Сигурни ли сте ?", "Are you sure ?"))) {
        return;
    }
    popupArmed_ = false;
    SetItems({});
    host_.FocusSearchBox();
}

bool TStudyList::FillFromDefaultList() {
    if (Count() > 0) {
        return true;
    }
    std::error_code ec;
    const std::filesystem::path workingDir = std::filesystem::current_path(ec);
    return ReadInto(platform::ResolvePath(workingDir, kDefaultList));
}

} // namespace studylist
