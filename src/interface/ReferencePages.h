#pragma once

#include "interface/InterfaceHost.h"
#include "interface/InterfaceRules.h"
#include "interface/LockedControls.h"
#include "platform/Paths.h"
#include "studylist/StudyWords.h"
#include "ui/Environment.h"
#include "ui/LookupView.h"

#include <functional>

class QObject;
class QTextEdit;
class QWidget;

namespace interface {

// The main window's controls that page mode locks, hides and shows.
struct TPageControls {
    TLockedControls Locked;
    QWidget* Button7 = nullptr; // pronounce; hidden exactly in page mode
    QWidget* SpeedButton1 = nullptr;
    QWidget* SpeedButton2 = nullptr;
    QWidget* SpeedButton3 = nullptr;  // Continue
    QWidget* Panel3 = nullptr;        // the button bar under the article pane
    QWidget* Panel4 = nullptr;        // the pronunciation key
    QTextEdit* RzRichEdit1 = nullptr; // the key's one-line strip
};

// Page mode: a reference page or the pronunciation key occupies the article
// area and the rest of the window is locked until Continue.
class TReferencePages {
public:
    // Continue returns to the look-up and the study list as they are; the
    // pages, the key's lines and its samples are data files found through
    // paths; a locked part beeps through the environment.
    TReferencePages(const TPageControls& controls, TInterfaceHost& host, ui::TLookupView& lookup,
                    const studylist::StudyWords& words, const platform::TPaths& paths,
                    const ui::TEnvironment& environment);

    // The abbreviation keys, the ordering page, the pronunciation key.
    void ShowPage(TPage page);
    void N16Click();
    // A key button: its sample and its line of the key.
    void transButtonClick(QObject* sender);
    // Continue.
    void SpeedButton3Click();
    // A click on a decoration or panel of the locked window.
    void LockedPartClick();

    bool PageMode() const;

private:
    void EnterPageMode();

    TPageControls c_;
    TInterfaceHost& host_;
    ui::TLookupView& lookup_;
    const studylist::StudyWords& words_;
    const platform::TPaths& paths_;
    const ui::TEnvironment& environment_;
};

// Reports a left click (press and release on it) of a widget that does not
// handle clicks itself, such as a picture or a panel. The click goes no
// further up the window.
void OnClick(QWidget* widget, std::function<void()> handler);

} // namespace interface
