#include "studylist/StudyList.h"

#include "dictionary/Lookup.h"
#include "platform/Paths.h"
#include "studylist/AddWords.h"
#include "studylist/StudyListFile.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/FileMessages.h"

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

namespace {

std::filesystem::path PathOf(const QString& name) {
    return std::filesystem::path(name.toStdString());
}

} // namespace

TStudyList::TStudyList(const TStudyListControls& controls, TStudyListHost& host,
                       ui::TLookupView& lookup, ui::TPronounceButton& pronounce,
                       const platform::TPaths& paths, ui::TEnvironment& environment,
                       ui::TDialogLook look, QWidget* window)
    : QObject(window), c_(controls), host_(host), lookup_(lookup), pronounce_(pronounce),
      paths_(paths), environment_(environment), dialogs_(environment.Dialogs),
      look_(std::move(look)), window_(window) {
    QListWidget* list = c_.ListBox1;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    // The keyboard moves the selection through currentRowChanged; a mouse
    // click picks on release, also when it lands on the entry already
    // selected. Selections made from code pick nothing.
    connect(list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selecting_) {
            SelectionFromListBox();
        }
    });
    connect(list, &QListWidget::currentRowChanged, this, [this](int) {
        if (!selecting_) {
            SelectionFromListBox();
            if (!mouseDown_) {
                ListBox1Click();
            }
        }
    });
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        SelectionFromListBox();
        ListBox1Click();
    });
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

void TStudyList::SelectionFromListBox() {
    // The list view may have a current row that is not selected (it makes the
    // first row current when it gets the focus); only a selected row counts.
    const int row = c_.ListBox1->currentRow();
    const QListWidgetItem* item = c_.ListBox1->item(row);
    words_.Select(item != nullptr && item->isSelected() ? row : -1);
}

void TStudyList::SetItemIndex(int position) {
    words_.Select(position);
    MirrorSelection();
}

void TStudyList::MirrorSelection() {
    selecting_ = true;
    c_.ListBox1->setCurrentRow(words_.Selected());
    selecting_ = false;
}

void TStudyList::MirrorEntries() {
    selecting_ = true;
    QListWidget* list = c_.ListBox1;
    list->clear();
    for (const std::string& entry : words_.Entries()) {
        list->addItem(ui::FromCodePage(entry));
    }
    list->setCurrentRow(words_.Selected());
    selecting_ = false;
}

void TStudyList::ListChanged() {
    const int count = Count();
    c_.Label1->setText(QString::number(count) +
                       ui::Phrase(ui::TPhrase::WordsUnit, host_.EnglishInterface()));
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
    host_.LookUpStudyWord(Item(row));
    host_.StopVoicePlayback();
    pronounce_.ApplyPronounceAvailability(lookup_.TabIndex());
}

void TStudyList::DeleteSelected(bool fromMenu) {
    if (ItemIndex() < 0) {
        return;
    }
    if (!dialogs_.Confirm(window_, ui::Phrase(ui::TPhrase::AreYouSure, host_.EnglishInterface()))) {
        return;
    }
    const int row = ItemIndex();
    if (row >= 0) {
        words_.Remove(row);
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
    if (key == Qt::Key_Space && pronounce_.PronounceButtonEnabled()) {
        pronounce_.Pronounce();
    }
}

void TStudyList::SetItems(const std::vector<std::string>& entries) {
    words_.Assign(entries);
    MirrorEntries();
    ListChanged();
}

void TStudyList::SetItemsUnchanged(const std::vector<std::string>& entries) {
    SetItems(entries);
    words_.MarkSaved();
}

void TStudyList::AddWords(const std::vector<std::string>& words) {
    const int before = Count();
    const int last = words_.Add(words);
    selecting_ = true;
    for (int position = before; position < Count(); ++position) {
        c_.ListBox1->addItem(ui::FromCodePage(words_.Entry(position)));
    }
    selecting_ = false;
    if (last >= 0) {
        c_.ListBox1->scrollToItem(c_.ListBox1->item(last));
    }
    ListChanged();
}

void TStudyList::Button1Click() {
    host_.SwitchToStandardView();
    const int tab = lookup_.TabIndex();
    const int position = lookup_.SearchBoxItemIndex();
    if (!dictionary::IsValidTab(tab) || position < 0 ||
        static_cast<std::size_t>(position) >= host_.Index().Letter(tab).Size()) {
        environment_.Beep();
        return;
    }
    AddWords({std::string(host_.Index().Letter(tab).HeadWord(static_cast<std::size_t>(position)))});
}

void TStudyList::Button13Click() {
    host_.SwitchToStandardView();
    TAddWords dialog(host_.Index(), lookup_.TabIndex(), host_.EnglishInterface(), look_, window_);
    if (dialogs_.Exec(dialog) == QDialog::Accepted) {
        AddWords(dialog.ChosenWords());
    }
    lookup_.FocusSearchBox();
}

void TStudyList::ShowFileError(const platform::TFileError& error) {
    dialogs_.Error(window_, ui::FileErrorMessage(error, ui::LanguageOf(host_.EnglishInterface())));
}

bool TStudyList::ReadInto(const std::filesystem::path& path) {
    std::vector<std::string> entries;
    if (const platform::TFileResult read = ReadStudyListFile(path, entries); !read.Ok()) {
        ShowFileError(read.Error());
        return false;
    }
    SetItems(entries);
    words_.MarkSaved();
    return true;
}

bool TStudyList::WriteTo(const QString& name) {
    if (const platform::TFileResult written = WriteStudyListFile(PathOf(name), Items());
        !written.Ok()) {
        ShowFileError(written.Error());
        return false;
    }
    words_.MarkSaved();
    return true;
}

bool TStudyList::QuerySave() {
    if (!words_.Modified()) {
        return true;
    }
    const bool english = host_.EnglishInterface();
    switch (
        dialogs_.YesNoCancel(window_, ui::Phrase(ui::TPhrase::SaveChangedList, english), english)) {
    case ui::TAnswer::Yes: {
        const QString name =
            dialogs_.SaveFileName(window_, ui::Phrase(ui::TPhrase::SaveListTitle, false));
        return !name.isEmpty() && WriteTo(name);
    }
    case ui::TAnswer::No:
        return true;
    case ui::TAnswer::Cancel:
        break;
    }
    return false;
}

void TStudyList::Button3Click() {
    host_.SwitchToStandardView();
    if (!QuerySave()) {
        return;
    }
    const QString name =
        dialogs_.OpenFileName(window_, ui::Phrase(ui::TPhrase::OpenListTitle, false));
    if (!name.isEmpty()) {
        ReadInto(PathOf(name));
    }
    lookup_.FocusSearchBox();
}

void TStudyList::Button2Click() {
    host_.SwitchToStandardView();
    const QString name =
        dialogs_.SaveFileName(window_, ui::Phrase(ui::TPhrase::SaveListTitle, false));
    if (!name.isEmpty() && !WriteTo(name)) {
        return;
    }
    lookup_.FocusSearchBox();
}

void TStudyList::Button4Click() {
    words_.Clear();
    selecting_ = true;
    c_.ListBox1->clear();
    selecting_ = false;
    popupArmed_ = false;
    c_.Label1->clear();
    c_.Button4->hide();
    c_.Button2->setEnabled(false);
    lookup_.FocusSearchBox();
    c_.ListBox1->setCursor(Qt::ArrowCursor);
}

void TStudyList::N19Click() {
    host_.SwitchToStandardView();
    // An edited list is offered for saving; that question stands for the
    // confirmation.
    if (words_.Modified()) {
        if (!QuerySave()) {
            return;
        }
    } else if (Count() > 0 && !dialogs_.Confirm(window_, ui::Phrase(ui::TPhrase::AreYouSure,
                                                                    host_.EnglishInterface()))) {
        return;
    }
    popupArmed_ = false;
    SetItems({});
    words_.MarkSaved();
    lookup_.FocusSearchBox();
}

bool TStudyList::FillFromDefaultList() {
    if (Count() > 0) {
        return true;
    }
    return ReadInto(paths_.DataFile(kDefaultList));
}

} // namespace studylist
