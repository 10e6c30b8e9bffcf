#pragma once

#include <array>

class QAction;
class QWidget;

namespace interface {

// The main window's controls that a voice recording and page mode both lock:
// the look-up controls, the study list and its buttons, the launchers and the
// four main menus. One list, so that both lock the same controls.
struct TLockedControls {
    QWidget* Combo = nullptr;
    QWidget* TabControl1 = nullptr;
    QWidget* ListBox1 = nullptr;
    QWidget* Button1 = nullptr;        // add a word
    QWidget* Button3 = nullptr;        // open a list
    QWidget* Button13 = nullptr;       // add words
    QWidget* Button4 = nullptr;        // clear the list
    QWidget* Button2 = nullptr;        // save the list
    QWidget* Button10 = nullptr;       // Hangman
    QWidget* Button14 = nullptr;       // Review: it replaces the list like Open
    std::array<QWidget*, 5> Methods{}; // Button5, Button9, Button11, Button16, Button12
    std::array<QAction*, 4> Menus{};   // File, Options, Tools, Help

    // Locking disables every control and menu of the list. Unlocking
    // enables them all but the save button, which stays disabled: whether it
    // comes back depends on the study list, which the caller knows.
    void SetLocked(bool locked) const;
};

} // namespace interface
