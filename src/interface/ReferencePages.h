#pragma once

#include "interface/InterfaceHost.h"
#include "interface/InterfaceRules.h"
#include "platform/Paths.h"

#include <array>
#include <functional>

class QAction;
class QObject;
class QTextEdit;
class QWidget;

namespace interface {

// The main window's controls that page mode locks and unlocks.
struct TPageControls {
    QWidget* Combo = nullptr;
    QWidget* TabControl1 = nullptr;
    QWidget* ListBox1 = nullptr;
    QWidget* Button7 = nullptr; // pronounce; hidden exactly in page mode
    QWidget* Button1 = nullptr;
    QWidget* Button3 = nullptr;
    QWidget* SpeedButton1 = nullptr;
    QWidget* SpeedButton2 = nullptr;
    QWidget* Button10 = nullptr;
    QWidget* Button13 = nullptr;
    QWidget* Button2 = nullptr;
    QWidget* Button4 = nullptr;
    std::array<QWidget*, 5> Methods{}; // Button5, Button9, Button11, Button16, Button12
    QWidget* SpeedButton3 = nullptr;   // Continue
    std::array<QAction*, 4> Menus{};   // File, Options, Tools, Help
    QWidget* Panel3 = nullptr;         // the button bar under the article pane
    QWidget* Panel4 = nullptr;         // the pronunciation key
    QTextEdit* RzRichEdit1 = nullptr;  // the key's one-line strip
};

// Page mode: a reference page or the pronunciation key occupies the article
// area and the rest of the window is locked until Continue.
class TReferencePages {
public:
    // The pages, the key's lines and its samples are data files found through
    // paths.
    TReferencePages(const TPageControls& controls, TInterfaceHost& host,
                    const platform::TPaths& paths);

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
    const platform::TPaths& paths_;
};

// Reports a left click (press and release on it) of a widget that does not
// handle clicks itself, such as a picture or a panel. The click goes no
// further up the window.
void OnClick(QWidget* widget, std::function<void()> handler);

} // namespace interface
