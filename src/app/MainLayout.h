#pragma once

#include "interface/LockedControls.h"

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QObject;
class QTextEdit;
class QToolButton;
class QWidget;

namespace lookup {
class TRichEditDblClick;
class TSearchCombo;
class TTabControl;
} // namespace lookup

namespace app {

// The main window's widget tree, by the names the window layout gives its
// components (which the caption table uses). Build makes every widget as the
// window starts, with the built-in captions and hints; the widgets belong to
// the window.
struct TMainLayout {
    static constexpr int kClientWidth = 612;
    static constexpr int kClientHeight = 320;

    // keyPress: a button of the pronunciation key was pressed.
    void Build(QMainWindow& window, std::function<void(QObject* sender)> keyPress);

    // The controls that a voice recording and page mode lock.
    interface::TLockedControls Locked() const;

    QWidget* topPanel = nullptr;
    QLabel* Image1 = nullptr;
    lookup::TTabControl* TabControl1 = nullptr;
    lookup::TSearchCombo* Combo = nullptr;
    QWidget* mainPanel = nullptr;
    QWidget* Panel2 = nullptr;
    lookup::TRichEditDblClick* RichEdit1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Image2 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QWidget* rightPanel1 = nullptr;
    QWidget* Panel1 = nullptr; // the study list and the strip under it
    QListWidget* ListBox1 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button9 = nullptr;
    QToolButton* Button11 = nullptr;
    QToolButton* Button16 = nullptr;
    QToolButton* Button12 = nullptr;
    QToolButton* Button10 = nullptr;
    QToolButton* Button2 = nullptr;
    QToolButton* Button13 = nullptr;
    QToolButton* Button14 = nullptr; // Review
    QWidget* Panel4 = nullptr;
    QGroupBox* RzGroupBox1 = nullptr;
    QGroupBox* RzGroupBox2 = nullptr;
    QGroupBox* RzGroupBox3 = nullptr;
    QGroupBox* RzGroupBox4 = nullptr;
    QGroupBox* RzGroupBox5 = nullptr;
    QTextEdit* RzRichEdit1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Delete1 = nullptr;

    // Menu items.
    QMenu* N18 = nullptr; // File
    QAction* N19 = nullptr;
    QAction* N20 = nullptr;
    QAction* N21 = nullptr;
    QAction* N22 = nullptr;
    QAction* N23 = nullptr; // Review
    QAction* N24 = nullptr; // Export…
    QMenu* N1 = nullptr;    // Options
    QMenu* N10 = nullptr;
    QAction* N11 = nullptr;
    QAction* N12 = nullptr;
    QMenu* N13 = nullptr;
    QAction* N14 = nullptr;
    QAction* N15 = nullptr;
    QAction* ControlC1 = nullptr;
    QAction* PopUp1 = nullptr;
    QMenu* N9 = nullptr; // Tools
    QAction* N16 = nullptr;
    QMenu* N17 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QMenu* N2 = nullptr; // Help
    QAction* F11 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* N7 = nullptr;
    QAction* MultilingualOnlineDictionary1 = nullptr;
    QAction* N25 = nullptr; // Progress
    QMenu* N8 = nullptr;    // Buy Now
    QAction* G0 = nullptr;
    QAction* G1 = nullptr;
    QAction* G2 = nullptr;
    QAction* Action1 = nullptr;

private:
    void BuildMenus(QMainWindow& window);
    void BuildTopPanel(QWidget* client);
    void BuildArticleArea();
    void BuildRightPanel(QMainWindow& window);
    void BuildPronunciationKey(std::function<void(QObject* sender)> keyPress);
};

} // namespace app
