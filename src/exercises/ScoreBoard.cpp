#include "exercises/ScoreBoard.h"

#include "exercises/ExerciseLook.h"
#include "ui/Palette.h"

#include <QLabel>
#include <QWidget>

namespace exercises {
namespace {

constexpr int kCaptionHeight = 20;
constexpr int kHeaderHeight = 24;

QLabel* Section(QWidget* header, const QString& name, const QRect& geometry) {
    auto* section = new QLabel(header);
    section->setObjectName(name);
    section->setGeometry(geometry);
    section->setAlignment(Qt::AlignCenter);
    return section;
}

} // namespace

TScoreBoard::TScoreBoard(QWidget* parent, const QRect& geometry, const QString& boxName,
                         const QString& scoreName) {
    Caption = TextLabel(parent, QStringLiteral("Label4"),
                        QRect(geometry.left(), geometry.top(), geometry.width(), kCaptionHeight));
    Caption->setAlignment(Qt::AlignCenter);

    Box = new QWidget(parent);
    Box->setObjectName(boxName);
    Box->setAttribute(Qt::WA_StyledBackground);
    Box->setGeometry(geometry.left(), geometry.top() + kCaptionHeight + 2, geometry.width(),
                     geometry.height() - kCaptionHeight - 2);
    Box->setStyleSheet(
        ui::StyleSheet(
            QStringLiteral("QWidget#%1 { background: @Paper; border: 2px solid @Teal;"
                           " border-radius: 8px; }"
                           "QWidget#HeaderControl1 { background: @PaperShade; border: none;"
                           " border-bottom: 1px solid @Teal; border-top-left-radius: 6px;"
                           " border-top-right-radius: 6px; }"
                           "QLabel { color: @Panel; background: transparent; border: none;"
                           " font-size: 13px; font-weight: bold; }"))
            .arg(boxName));

    const int inner = Box->width() - 4;
    Header = new QWidget(Box);
    Header->setObjectName(QStringLiteral("HeaderControl1"));
    Header->setAttribute(Qt::WA_StyledBackground);
    Header->setGeometry(2, 2, inner, kHeaderHeight);
    Section(Header, QStringLiteral("HeaderControl1Section0"),
            QRect(0, 0, inner / 2, kHeaderHeight));
    Section(Header, QStringLiteral("HeaderControl1Section1"),
            QRect(inner / 2, 0, inner - inner / 2, kHeaderHeight));
    auto* divider = new QWidget(Header);
    divider->setStyleSheet(ui::StyleSheet(u"background: @Teal;"));
    divider->setGeometry(inner / 2, 4, 1, kHeaderHeight - 8);

    Score = new QLabel(Box);
    Score->setObjectName(scoreName);
    Score->setAlignment(Qt::AlignCenter);
    Score->setGeometry(2, kHeaderHeight + 2, inner, Box->height() - kHeaderHeight - 4);
    Score->setFont(WordFont(30));
    Show(QStringLiteral("0 - 0"));
}

void TScoreBoard::Show(const QString& score) {
    Show(score, QColor::fromRgb(ui::palette::Panel));
}

void TScoreBoard::Show(const QString& score, QColor colour) {
    Score->setText(score);
    Score->setStyleSheet(QStringLiteral("color: %1; font-size: 30px;").arg(colour.name()));
    Score->repaint();
}

} // namespace exercises
