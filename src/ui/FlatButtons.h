#pragma once

#include "ui/Dialogs.h"
#include "ui/Pictures.h"

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QToolButton;
class QWidget;

// The flat picture buttons and decorations the program's windows are built
// from, all drawn on the panel colour.
namespace ui {

// An icon whose disabled form is the picture sunk into the panel colour
// rather than Qt's grey wash, which would show the icon's square.
QIcon ButtonIcon(const QPixmap& picture);

// The flat buttons' look on the navy panels: white captions, a light wash
// under the pointer. Set once on a panel, it styles every button on it.
QString FlatButtonStyle();

QToolButton* FlatButton(QWidget* parent, const QRect& geometry, const QString& hint,
                        const QPixmap& icon = {}, const QString& caption = {});

// A label showing a picture scaled to the geometry.
QLabel* PictureLabel(QWidget* parent, const QRect& geometry, PictureId id);

// The pictures and colours the program's dialogs are dressed in.
TDialogLook ProgramDialogLook();

} // namespace ui
