#pragma once

#include "app/Settings.h"
#include "platform/FileError.h"
#include "ui/Environment.h"

#include <functional>

#include <filesystem>

#include <QString>

class QAction;
class QWidget;

namespace app {

// The Options menu's clipboard items over the settings string, and the
// settings update every stored choice goes through: a position is set in
// memory, then the file is rewritten when it exists, a failure reported in
// the standard error box.
class TOptions {
public:
    // english: whether the interface is English when a failure is worded.
    TOptions(QAction* controlC1, QAction* popUp1, const ui::TEnvironment& environment,
             QWidget* window, std::function<bool()> english);

    // Reads or creates the settings file in the state folder and checks the
    // two clipboard items as it says; the view and the language are their
    // switches' to apply (Settings().Stored() tells whether stored values
    // were read). The result says what failed.
    platform::TFileResult Load(const std::filesystem::path& stateDir);
    // What a failed Load means for the user, in the interface language;
    // empty when it succeeded.
    QString LoadProblem(const platform::TFileResult& read) const;

    // Qt has already toggled the item's check mark: switching translation on
    // or off switches the pop-up with it.
    void ControlC1Click();
    void PopUp1Click();
    void Store(TSettings::Position position, bool first);

    bool TranslateCopiedText() const; // Control-C checked
    bool BringForwardOnCopy() const;  // PopUp checked
    const TSettings& Settings() const { return settings_; }

private:
    void Save();

    QAction* controlC1_;
    QAction* popUp1_;
    const ui::TEnvironment& environment_;
    QWidget* window_;
    std::function<bool()> english_;
    TSettings settings_;
};

} // namespace app
