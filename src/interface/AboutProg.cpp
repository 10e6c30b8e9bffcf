#include "interface/AboutProg.h"

#include "interface/AboutButtons.h"
#include "interface/AboutUs.h"
#include "interface/Credits.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"
#include "ui/WindowPlace.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace interface {

TAboutProgForm::TAboutProgForm(QWidget* owner, bool english, THeadWordCounts counts)
    : QDialog(owner) {
    setObjectName(QStringLiteral("TAboutProgForm"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    auto* background = new QLabel(this);
    background->setGeometry(rect());
    background->setPixmap(ui::Picture(ui::PictureId::AboutProgram));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(40, 117, 281, 65);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setLineWidth(1);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Condensed, so that the longest line fits inside the frame.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(11);
    Label1->setFont(font);
    Label1->setStyleSheet(ui::StyleSheet(u"color: @Black; background: transparent;"));
    Label1->setText(LabelLines(AboutProgramText(english, counts)));
    Label1->move(51, 123);
    Label1->adjustSize();

    SpeedButton1 = AboutButton(this, TAboutButton::Cross, QPoint(370, 159));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    ui::PlaceOnScreen(*this, owner);
}

void TAboutProgForm::SpeedButton1Click() {
    done(QDialog::Accepted);
}

void ShowAboutProgram(QWidget* owner, bool english, THeadWordCounts counts,
                      const ui::TEnvironment& environment) {
    TAboutProgForm window(owner, english, counts);
    environment.RunAbout(window);
}

} // namespace interface
