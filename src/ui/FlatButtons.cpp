#include "ui/FlatButtons.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace ui {

QIcon ButtonIcon(const QPixmap& picture) {
    QIcon icon(picture);
    QPixmap dimmed = picture;
    QPainter painter(&dimmed);
    QColor veil = QColor::fromRgb(palette::Panel);
    veil.setAlpha(170);
    painter.fillRect(dimmed.rect(), veil);
    painter.end();
    icon.addPixmap(dimmed, QIcon::Disabled);
    return icon;
}

QString FlatButtonStyle() {
    return ui::StyleSheet(
        QStringLiteral("QToolButton { color: @White; border: none; background: transparent; }"
                       "QToolButton:hover { background: @White/28; border-radius: 4px; }"
                       "QToolButton:pressed { background: @Amber/60; border-radius: 4px; }"
                       "QToolButton:disabled { color: @DisabledText; }"));
}

QToolButton* FlatButton(QWidget* parent, const QRect& geometry, const QString& hint,
                        const QPixmap& icon, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    if (!icon.isNull()) {
        button->setIcon(ButtonIcon(icon));
        button->setIconSize(icon.size());
    }
    if (!caption.isEmpty()) {
        button->setText(caption);
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly
                                                 : Qt::ToolButtonTextUnderIcon);
    }
    return button;
}

QLabel* PictureLabel(QWidget* parent, const QRect& geometry, PictureId id) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    // The picture is the label's background: a decoration looks the same
    // when its panel is disabled, where a label's own picture would be greyed.
    QPalette palette = label->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(Picture(id).scaled(geometry.size(), Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation)));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

TDialogLook ProgramDialogLook() {
    TDialogLook look;
    look.Texture = Picture(PictureId::DialogTexture);
    look.SaveIcon = Picture(PictureId::IconSaveList);
    look.CancelIcon = Picture(PictureId::IconStop);
    look.AddIcon = Picture(PictureId::IconAddItems);
    return look;
}

} // namespace ui
