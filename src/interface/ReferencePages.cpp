#include "interface/ReferencePages.h"

#include "interface/PronunciationKey.h"
#include "platform/FileIo.h"
#include "ui/FileMessages.h"

#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QTextEdit>
#include <QWidget>

namespace interface {
namespace {

// Reads a data file; a file that cannot be read is reported with its name.
bool ReadDataFile(const platform::TPaths& paths, std::string_view fragment, std::string& bytes,
                  TInterfaceHost& host) {
    const std::filesystem::path path = paths.DataFile(fragment);
    const platform::TFileResult read = platform::ReadWholeFile(path, bytes);
    if (!read.Ok()) {
        host.ReportError(
            ui::FileErrorMessage(read.Error(), ui::LanguageOf(host.EnglishInterface())));
    }
    return read.Ok();
}

class TClickFilter : public QObject {
public:
    TClickFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = true;
            return true;
        }
        const bool inside =
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        if (pressed_ && inside) {
            pressed_ = false;
            handler_();
        }
        pressed_ = false;
        return true;
    }

private:
    std::function<void()> handler_;
    bool pressed_ = false;
};

} // namespace

void OnClick(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new TClickFilter(widget, std::move(handler)));
}

TReferencePages::TReferencePages(const TPageControls& controls, TInterfaceHost& host,
                                 ui::TLookupView& lookup, const studylist::StudyWords& words,
                                 const platform::TPaths& paths, const ui::TEnvironment& environment)
    : c_(controls), host_(host), lookup_(lookup), words_(words), paths_(paths),
      environment_(environment) {}

bool TReferencePages::PageMode() const {
    return c_.Button7->isHidden();
}

void TReferencePages::EnterPageMode() {
    // The Buy Now menu stays usable.
    c_.Locked.SetLocked(true);
    for (QWidget* button :
         {c_.Button7, c_.Locked.Button1, c_.Locked.Button3, c_.SpeedButton1, c_.SpeedButton2}) {
        button->hide();
    }
    c_.SpeedButton3->show();
}

void TReferencePages::ShowPage(TPage page) {
    // The ordering page is reachable from the Buy Now menu while the window
    // records or shows the key. A recording keeps its lock: page mode would
    // hide its stop button and Continue would unlock the window under it.
    if (host_.VoiceRecording()) {
        environment_.Beep();
        return;
    }
    EnterPageMode();
    // Over the key, the page would load unseen under it.
    c_.Panel4->hide();
    std::string bytes;
    if (ReadDataFile(paths_, PageFragment(page, host_.EnglishInterface()), bytes, host_)) {
        host_.LoadPage(bytes);
    }
}

void TReferencePages::N16Click() {
    EnterPageMode();
    // The first sample then plays at once.
    host_.LoadPlayerLibrary();
    if (!c_.Panel4->isEnabled()) {
        c_.Panel4->setEnabled(true);
    }
    c_.Panel4->show();
    c_.Panel4->raise();
}

void TReferencePages::transButtonClick(QObject* sender) {
    std::string lines;
    if (!ReadDataFile(paths_, kKeyLinesFragment, lines, host_)) {
        return;
    }
    LoadStrip(*c_.RzRichEdit1, lines);
    const int n = KeyButtonNumber(sender->objectName().toStdString());
    // Nothing else can be pressed while the sample plays; the end of the
    // playback enables both again.
    c_.Panel4->setEnabled(false);
    c_.Panel3->setEnabled(false);
    ShowStripLine(*c_.RzRichEdit1, n);
    const std::filesystem::path sample = paths_.DataFile(KeySampleFragment(n));
    if (!host_.PlayKeySample(sample)) {
        c_.Panel4->setEnabled(true);
        c_.Panel3->setEnabled(true);
    }
}

void TReferencePages::SpeedButton3Click() {
    c_.Locked.SetLocked(false);
    for (QWidget* button : {c_.Button7, c_.Locked.Button1, c_.Locked.Button3, c_.SpeedButton1,
                            c_.SpeedButton2, c_.Locked.Button4}) {
        button->show();
    }
    c_.Panel4->hide();
    if (words_.Count() == 0) {
        c_.Locked.Button2->setEnabled(false);
        c_.Locked.Button4->hide();
    } else {
        c_.Locked.Button2->setEnabled(true);
        c_.Locked.ListBox1->setCursor(Qt::PointingHandCursor);
    }
    c_.SpeedButton3->hide();
    if (lookup_.SearchBoxText().empty()) {
        lookup_.ClearArticle();
    } else {
        lookup_.SearchBoxChanged();
    }
    lookup_.FocusSearchBox();
}

void TReferencePages::LockedPartClick() {
    if (PageMode()) {
        environment_.Beep();
    }
}

} // namespace interface
