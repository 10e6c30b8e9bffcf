#pragma once

#include "ui/Palette.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <QStringList>

#include <functional>

class QDialog;
class QMenu;
class QWidget;

namespace ui {

enum class TAnswer { Yes, No, Cancel };

// Every modal box the study list and the add-word dialog open goes through
// here, so that tests can answer them. The defaults show the real boxes.
struct TDialogs {
    // The standard error box.
    std::function<void(QWidget* parent, const QString& text)> Error;
    // The standard Yes/No box; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> Confirm;
    // A question with the buttons Yes, No and Cancel in the interface
    // language; closing the box cancels.
    std::function<TAnswer(QWidget* parent, const QString& text, bool english)> YesNoCancel;
    // File-open and file-save boxes without a filter or a default extension;
    // an empty name when cancelled. Saving does not ask before replacing.
    std::function<QString(QWidget* parent, const QString& title)> OpenFileName;
    std::function<QString(QWidget* parent, const QString& title)> SaveFileName;
    // Runs a dialog modally and returns its result code.
    std::function<int(QDialog& dialog)> Exec;
    // Shows a pop-up menu at a screen position and returns when it closed.
    std::function<void(QMenu& menu, const QPoint& globalPosition)> Popup;
    // The standard information box.
    std::function<void(QWidget* parent, const QString& text)> Inform;
    // A file-save box offering kinds of file ("Anki package (*.apkg)"); a
    // name without an extension gets the chosen kind's. It does not ask
    // before replacing; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QStringList& kinds)>
        SaveFileOfKind;

    TDialogs();
};

// The pictures and colours the dialogs are dressed in; the program passes
// its own, so they match the main window.
struct TDialogLook {
    QPixmap Texture;    // tiled behind the dialogs
    QPixmap SaveIcon;   // above "Запис"; icons are drawn on Panel
    QPixmap CancelIcon; // above "Отказ"
    QPixmap AddIcon;    // on the add-several-words dialog's add button
    QColor Panel = QColor::fromRgb(palette::Panel);
    QColor Frame = QColor::fromRgb(palette::Teal);
    QColor Accent = QColor::fromRgb(palette::Amber);
    QColor Warning = QColor::fromRgb(palette::Red);
};

// A colour as a style sheet writes it, "rgba(r, g, b, alpha)".
QString CssColor(const QColor& color, int alpha = 255);

} // namespace ui
