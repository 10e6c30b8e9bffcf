#include "app/Options.h"

#include <QAction>

namespace app {

TOptions::TOptions(QAction* controlC1, QAction* popUp1, const ui::TEnvironment& environment,
                   QWidget* window)
    : controlC1_(controlC1), popUp1_(popUp1), environment_(environment), window_(window) {}

bool TOptions::Load(const std::filesystem::path& stateDir) {
    if (!settings_.Load(stateDir)) {
        return false;
    }
    controlC1_->setChecked(settings_.IsFirst(TSettings::Position::ControlC));
    popUp1_->setChecked(settings_.IsFirst(TSettings::Position::PopUp));
    return true;
}

void TOptions::ControlC1Click() {
    const bool on = controlC1_->isChecked();
    popUp1_->setChecked(on);
    settings_.Set(TSettings::Position::ControlC, on);
    settings_.Set(TSettings::Position::PopUp, on);
    Save();
}

void TOptions::PopUp1Click() {
    Store(TSettings::Position::PopUp, popUp1_->isChecked());
}

void TOptions::Store(TSettings::Position position, bool first) {
    settings_.Set(position, first);
    Save();
}

bool TOptions::TranslateCopiedText() const {
    return controlC1_->isChecked();
}

bool TOptions::BringForwardOnCopy() const {
    return popUp1_->isChecked();
}

void TOptions::Save() {
    if (!settings_.Save()) {
        environment_.Dialogs.Error(window_, QString::fromStdString(settings_.LastError()));
    }
}

} // namespace app
