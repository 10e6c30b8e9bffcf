#include "app/Environment.h"

#include "exercises/WavePlayer.h"
#include "ui/Captions.h"

#include <QMessageBox>

namespace app {

ui::TEnvironment DesktopEnvironment() {
    ui::TEnvironment environment;
    environment.Dialogs.Error = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, ui::BuiltInText("TForm1", ui::TTextKind::Caption), text);
    };
    environment.PlayVerdictSound = [](const std::filesystem::path& file) {
        exercises::TWavePlayer().PlayToEnd(file);
    };
    return environment;
}

} // namespace app
