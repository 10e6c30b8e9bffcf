#include "interface/AboutButtons.h"

#include "ui/Palette.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace interface {
namespace {

constexpr int kSize = 23;

QPixmap Picture(TAboutButton kind, QColor colour) {
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap picture(QSize(kSize, kSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    switch (kind) {
    case TAboutButton::UpArrow:
        painter.drawPolygon(QPolygonF({QPointF(11.5, 5), QPointF(19, 16), QPointF(4, 16)}));
        break;
    case TAboutButton::DownArrow:
        painter.drawPolygon(QPolygonF({QPointF(4, 7), QPointF(19, 7), QPointF(11.5, 18)}));
        break;
    case TAboutButton::Stop: {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(7);
        font.setBold(true);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colour, 1.2));
        painter.drawRoundedRect(QRectF(1.5, 6.5, 20, 10), 2, 2);
        painter.setFont(font);
        painter.drawText(QRectF(1.5, 6.5, 20, 10), Qt::AlignCenter, QStringLiteral("STOP"));
        break;
    }
    case TAboutButton::Cross:
        painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6.5, 6.5), QPointF(16.5, 16.5));
        painter.drawLine(QPointF(16.5, 6.5), QPointF(6.5, 16.5));
        break;
    }
    return picture;
}

QColor ColourOf(TAboutButton kind) {
    switch (kind) {
    case TAboutButton::Stop:
        return QColor::fromRgb(ui::palette::Amber);
    case TAboutButton::Cross:
        return QColor::fromRgb(ui::palette::Red);
    default:
        return QColor::fromRgb(ui::palette::TealLight);
    }
}

} // namespace

QToolButton* AboutButton(QWidget* parent, TAboutButton kind, QPoint topLeft) {
    auto* button = new QToolButton(parent);
    button->setGeometry(QRect(topLeft, QSize(kSize, kSize)));
    button->setIcon(QIcon(Picture(kind, ColourOf(kind))));
    button->setIconSize(QSize(kSize, kSize));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(ui::StyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; }"
                       "QToolButton:hover { background: @White/36; border-radius: 3px; }"
                       "QToolButton:pressed { background: @Amber/70; border-radius: 3px; }")));
    return button;
}

} // namespace interface
