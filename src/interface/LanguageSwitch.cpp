#include "interface/LanguageSwitch.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QWidget>

namespace interface {

TLanguageSwitch::TLanguageSwitch(const TLanguageControls& controls, TInterfaceHost& host,
                                 const studylist::StudyWords& words)
    : c_(controls), host_(host), words_(words) {}

bool TLanguageSwitch::English() const {
    return c_.N15->isChecked();
}

void TLanguageSwitch::N14Click() {
    if (c_.N15->isChecked()) {
        Switch(ui::TLanguage::Bulgarian, true);
    }
}

void TLanguageSwitch::N15Click() {
    if (c_.N14->isChecked()) {
        Switch(ui::TLanguage::English, true);
    }
}

void TLanguageSwitch::ApplyStored(bool bulgarian) {
    if (bulgarian ? c_.N15->isChecked() : c_.N14->isChecked()) {
        Switch(bulgarian ? ui::TLanguage::Bulgarian : ui::TLanguage::English, false);
    }
}

void TLanguageSwitch::BindTargets() {
    // A menu and the action that shows it in its parent carry the same name;
    // the action holds the caption. Other components are widgets.
    QHash<QString, QObject*> captionTargets;
    QHash<QString, QWidget*> hintTargets;
    for (QObject* object : c_.Window->findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty()) {
            continue;
        }
        if (qobject_cast<QAction*>(object) != nullptr) {
            captionTargets.insert(name, object);
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            hintTargets.insert(name, widget);
            if (!captionTargets.contains(name)) {
                captionTargets.insert(name, widget);
            }
        }
    }
    for (const ui::TWindowText& text : ui::SwitchedTexts()) {
        const QString name = QString::fromLatin1(text.Control);
        QObject* target =
            text.Kind == ui::TTextKind::Hint ? hintTargets.value(name) : captionTargets.value(name);
        if (target != nullptr) {
            targets_.emplace_back(&text, target);
        }
    }
}

void TLanguageSwitch::Switch(ui::TLanguage language, bool store) {
    const bool english = language == ui::TLanguage::English;
    c_.N15->setChecked(english);
    c_.N14->setChecked(!english);
    if (targets_.empty()) {
        BindTargets();
    }
    for (const auto& [text, target] : targets_) {
        ui::WriteText(target, text->Kind, ui::TextIn(*text, language));
    }
    // The singular unit is the switch's own; list operations write the
    // plural whatever the count.
    c_.Label1->setText(ui::CountLabel(words_.Count(), language));
    if (store) {
        host_.StoreSetting(TStoredSetting::Language, !english);
    }
}

} // namespace interface
