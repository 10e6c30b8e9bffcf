#include "interface/ReferencePages.h"

#include "interface/PronunciationKey.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "ui/FileMessages.h"

#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QTextEdit>
#include <QWidget>

namespace interface {
namespace {

std::filesystem::path WorkingDir() {
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

// Reads a data file below the working directory; a file that cannot be read
// is reported with its name.
bool ReadDataFile(std::string_view fragment, std::string& bytes, TInterfaceHost& host) {
    const std::filesystem::path path = platform::ResolvePath(WorkingDir(), fragment);
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

TReferencePages::TReferencePages(const TPageControls& controls, TInterfaceHost& host)
    : c_(controls), host_(host) {}

bool TReferencePages::PageMode() const {
    return c_.Button7->isHidden();
}

void TReferencePages::EnterPageMode() {
    c_.Combo->setEnabled(false);
    c_.TabControl1->setEnabled(false);
    c_.ListBox1->setEnabled(false);
    for (QWidget* button : {c_.Button7, c_.Button1, c_.Button3, c_.SpeedButton1, c_.SpeedButton2}) {
        button->hide();
    }
    for (QWidget* button : {c_.Button10, c_.Button13, c_.Button2}) {
        button->setEnabled(false);
    }
    for (QWidget* button : c_.Methods) {
        button->setEnabled(false);
    }
    c_.SpeedButton3->show();
    // The Buy Now menu stays usable.
    for (QAction* menu : c_.Menus) {
        menu->setEnabled(false);
    }
}

void TReferencePages::ShowPage(TPage page) {
    // The ordering page is reachable from the Buy Now menu while the window
    // records or shows the key. A recording keeps its lock: page mode would
    // hide its stop button and Continue would unlock the window under it.
    if (host_.VoiceRecording()) {
        host_.Beep();
        return;
    }
    EnterPageMode();
    c_.Button4->setEnabled(false);
    // Over the key, the page would load unseen under it.
    c_.Panel4->hide();
    std::string bytes;
    if (ReadDataFile(PageFragment(page, host_.EnglishInterface()), bytes, host_)) {
        host_.LoadPage(bytes);
    }
}

void TReferencePages::N16Click() {
    EnterPageMode();
    c_.Button4->setEnabled(false);
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
    if (!ReadDataFile(kKeyLinesFragment, lines, host_)) {
        return;
    }
    LoadStrip(*c_.RzRichEdit1, lines);
    const int n = KeyButtonNumber(sender->objectName().toStdString());
    // Nothing else can be pressed while the sample plays; the end of the
    // playback enables both again.
    c_.Panel4->setEnabled(false);
    c_.Panel3->setEnabled(false);
    ShowStripLine(*c_.RzRichEdit1, n);
    const std::filesystem::path sample = platform::ResolvePath(WorkingDir(), KeySampleFragment(n));
    if (!host_.PlayKeySample(sample)) {
        c_.Panel4->setEnabled(true);
        c_.Panel3->setEnabled(true);
    }
}

void TReferencePages::SpeedButton3Click() {
    c_.Combo->setEnabled(true);
    c_.TabControl1->setEnabled(true);
    c_.ListBox1->setEnabled(true);
    for (QWidget* button : {c_.Button7, c_.Button1, c_.Button3, c_.SpeedButton1, c_.SpeedButton2}) {
        button->show();
    }
    c_.Button10->setEnabled(true);
    c_.Button13->setEnabled(true);
    c_.Button4->show();
    c_.Button4->setEnabled(true);
    for (QAction* menu : c_.Menus) {
        menu->setEnabled(true);
    }
    c_.Panel4->hide();
    if (host_.StudyListCount() == 0) {
        c_.Button2->setEnabled(false);
        c_.Button4->hide();
    } else {
        c_.Button2->setEnabled(true);
        c_.ListBox1->setCursor(Qt::PointingHandCursor);
    }
    for (QWidget* button : c_.Methods) {
        button->setEnabled(true);
    }
    c_.SpeedButton3->hide();
    if (host_.SearchBoxText().empty()) {
        host_.ClearArticle();
    } else {
        host_.SearchBoxChanged();
    }
    host_.FocusSearchBox();
}

void TReferencePages::LockedPartClick() {
    if (PageMode()) {
        host_.Beep();
    }
}

} // namespace interface
