#include "app/Splash.h"

#include "ui/Fonts.h"
#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

constexpr QSize kSplashSize(406, 193);
constexpr QPoint kLabelPlace(88, 119);
// Room for six bold dots, inside the calm part of the picture.
constexpr QSize kLabelSize(150, 30);
constexpr int kDotsPerCycle = 6;

} // namespace

TSplash::TSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Label1(new QLabel(this)),
      picture_(ui::UncachedPicture(ui::PictureId::Splash)) {
    setFixedSize(kSplashSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect place(QPoint(), kSplashSize);
        move(screen->availableGeometry().center() - place.center());
    }

    QFont font(QString::fromLatin1(ui::kFontMsSansSerif));
    font.setPixelSize(24);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setGeometry(QRect(kLabelPlace, kLabelSize));
    // A label paints no background, so the picture shows through; amber
    // reads well on its dark navy.
    QPalette colours = Label1->palette();
    colours.setColor(QPalette::WindowText, QColor::fromRgb(ui::palette::Amber));
    Label1->setPalette(colours);
}

void TSplash::AdvanceProgress() {
    ++progressCount_;
    if (progressCount_ <= kDotsPerCycle) {
        Label1->setText(Label1->text() + QLatin1Char('.'));
    } else {
        progressCount_ = 0;
        Label1->clear();
    }
    // Only the dots change: repainting the label repaints the picture
    // behind it there, not the whole window.
    Label1->repaint();
}

void TSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}
