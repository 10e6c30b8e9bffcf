#include "app/Options.h"

#include "ui/Captions.h"
#include "ui/FileMessages.h"

#include <QAction>

namespace app {

TOptions::TOptions(QAction* controlC1, QAction* popUp1, const ui::TEnvironment& environment,
                   QWidget* window, std::function<bool()> english)
    : controlC1_(controlC1), popUp1_(popUp1), environment_(environment), window_(window),
      english_(std::move(english)) {}

platform::TFileResult TOptions::Load(const std::filesystem::path& stateDir) {
    const platform::TFileResult read = settings_.Load(stateDir);
    if (settings_.Stored()) {
        controlC1_->setChecked(settings_.IsFirst(TSettings::Position::ControlC));
        popUp1_->setChecked(settings_.IsFirst(TSettings::Position::PopUp));
    }
    return read;
}

QString TOptions::LoadProblem(const platform::TFileResult& read) const {
    if (read.Ok()) {
        return {};
    }
    // A settings file that could not be read is left alone for the run; one
    // that could not be created is just named.
    const ui::TLanguage language = ui::LanguageOf(english_());
    QString text = ui::FileErrorMessage(read.Error(), language);
    if (read.Error().Operation == platform::TFileOperation::Open) {
        text += QLatin1Char(' ') + ui::Phrase(ui::TPhrase::SettingsLeftAlone, language);
    }
    return text;
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
    if (const platform::TFileResult saved = settings_.Save(); !saved.Ok()) {
        environment_.Dialogs.Error(window_,
                                   ui::FileErrorMessage(saved.Error(), ui::LanguageOf(english_())));
    }
}

} // namespace app
