#pragma once

#include "interface/InterfaceHost.h"
#include "studylist/StudyWords.h"
#include "ui/Captions.h"

#include <utility>
#include <vector>

class QAction;
class QLabel;
class QObject;
class QWidget;

namespace interface {

struct TLanguageControls {
    QWidget* Window = nullptr; // its components carry their names
    QAction* N14 = nullptr;    // Bulgarian, checked exactly in the Bulgarian interface
    QAction* N15 = nullptr;    // English
    QLabel* Label1 = nullptr;  // the study list's count label
};

// The interface language: the check marks of N14 and N15 are its only
// record. A switch rewrites every caption and hint of the caption table in
// one pass, the count label and the stored setting.
class TLanguageSwitch {
public:
    // words: the study list, whose count the count label shows.
    TLanguageSwitch(const TLanguageControls& controls, TInterfaceHost& host,
                    const studylist::StudyWords& words);

    // The menu commands; choosing the current language does nothing.
    void N14Click();
    void N15Click();

    // Applies the stored language at start: the same switch, but the
    // settings file is not rewritten.
    void ApplyStored(bool bulgarian);

    bool English() const;

private:
    void Switch(ui::TLanguage language, bool store);
    void BindTargets();

    TLanguageControls c_;
    TInterfaceHost& host_;
    const studylist::StudyWords& words_;
    // The caption table's entries with the objects they are written to,
    // found by name once.
    std::vector<std::pair<const ui::TWindowText*, QObject*>> targets_;
};

} // namespace interface
