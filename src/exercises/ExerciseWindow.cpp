#include "exercises/ExerciseWindow.h"

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseTexts.h"
#include "exercises/StudyWordSteps.h"
#include "interface/HelpWindow.h"
#include "platform/Paths.h"
#include "rtf/RtfDocument.h"
#include "ui/CodePageText.h"
#include "ui/Environment.h"
#include "ui/Palette.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QTextEdit>
#include <QTimer>

namespace exercises {
namespace {

// A verdict drawn on the paper colour: a teal badge with a tick, a red one
// with a cross.
QPixmap DrawnVerdict(bool right) {
    constexpr int kSize = 64;
    constexpr int kScale = 4;
    QPixmap big(kSize * kScale, kSize * kScale);
    big.fill(QColor::fromRgb(ui::palette::Paper));
    {
        QPainter painter(&big);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(right ? ui::palette::Teal : ui::palette::Red));
        painter.drawEllipse(QRectF(24, 24, 208, 208));
        QPen pen(QColor::fromRgb(ui::palette::White), 26);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        if (right) {
            painter.drawPolyline(
                QPolygonF({QPointF(78, 132), QPointF(112, 166), QPointF(180, 94)}));
        } else {
            painter.drawLine(QPointF(88, 88), QPointF(168, 168));
            painter.drawLine(QPointF(168, 88), QPointF(88, 168));
        }
    }
    return big.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

TExerciseWindow::TExerciseWindow(const TMainWindowSeams& seams, int method,
                                 const QString& layoutTitle, QSize designSize, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), seams_(seams), method_(method) {
    setWindowTitle(layoutTitle);
    setStyleSheet(ExerciseStyleSheet());
    resize(designSize);
    Action1 = new QAction(this);
    Action1->setObjectName(QStringLiteral("Action1"));
    Action1->setShortcut(QKeySequence(Qt::Key_F1));
    Action1->setShortcutContext(Qt::WindowShortcut);
    addAction(Action1);
    connect(Action1, &QAction::triggered, this, [this] { HelpClick(); });
    playEnd_.emplace(seams_.PlayEnd, *this);
}

TExerciseWindow::~TExerciseWindow() = default;

void TExerciseWindow::FitToDesktop(std::initializer_list<QWidget*> panels) {
    const QRect desktop = seams_.Environment.DesktopRect();
    const int gainedWidth = desktop.width() - width();
    const int gainedHeight = desktop.height() - height();
    setGeometry(desktop);
    for (QWidget* panel : panels) {
        panel->move(panel->x() + gainedWidth / 2, panel->y() + gainedHeight / 2);
        centredPanels_.push_back(panel);
    }
    fittedSize_ = desktop.size();
    // A new geometry ends the maximised state, which the window keeps.
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TExerciseWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A window manager may give the maximised window less than the whole
    // desktop (a task bar); the panels stay centred in what it got.
    if (!fittedSize_.isValid() || size() == fittedSize_) {
        return;
    }
    const QSize gained = size() - fittedSize_;
    for (QWidget* panel : centredPanels_) {
        panel->move(panel->x() + gained.width() / 2, panel->y() + gained.height() / 2);
    }
    fittedSize_ = size();
}

void TExerciseWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

std::filesystem::path TExerciseWindow::MethodHelpPage(const platform::TPaths& paths, int method,
                                                      bool english) {
    return paths.DataFile("\\hlp\\metod" + std::to_string(method) + (english ? "e.htm" : ".htm"));
}

void TExerciseWindow::OpenMethodHelp() {
    interface::ShowHelpPage(this, MethodHelpPage(seams_.Paths, method_, English()), English(),
                            seams_.Environment);
}

void TExerciseWindow::ExitClick() {
    seams_.Pronouncer.StopPlaying();
    accept();
}

void TExerciseWindow::done(int result) {
    if (!closed_) {
        closed_ = true;
        for (QTimer* timer : findChildren<QTimer*>()) {
            timer->stop();
        }
        FormClose();
        playEnd_.reset();
    }
    QDialog::done(result);
}

QLabel* TExerciseWindow::ShowEmptyListNotice(QWidget* panel, const QRect& area) {
    QLabel* notice = TextLabel(panel, QStringLiteral("EmptyListNotice"), area, "notice");
    notice->setText(ExercisePhrase(TExercisePhrase::EmptyStudyList, English()));
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    notice->raise();
    notice->show();
    return notice;
}

QPixmap TExerciseWindow::VerdictPicture(bool right) const {
    const std::filesystem::path file =
        platform::ResolvePath(seams_.Paths.DictionaryDir(), right ? "\\a.bmp" : "\\b.bmp");
    const QPixmap picture(QString::fromStdString(file.string()));
    return picture.isNull() ? DrawnVerdict(right) : picture;
}

int TExerciseWindow::Count() const {
    return seams_.Study.Count();
}

std::string TExerciseWindow::Entry(int position) const {
    return seams_.Study.Entry(position);
}

void TExerciseWindow::SelectStudyEntry(int position) {
    seams_.Study.Select(position);
}

TStudyWordHit TExerciseWindow::FindStudyWord(const std::string& word, bool putHeadWordInBox) {
    return SelectStudyWord(seams_.Lookup, word, putHeadWordInBox);
}

void TExerciseWindow::LoadArticle(const TStudyWordHit& hit) {
    QTextEdit* box = ArticleBox();
    if (box == nullptr || !hit.Found()) {
        return;
    }
    const std::string bytes = ReadStudyArticle(seams_.Lookup, hit);
    rtf::LoadRtf(*box->document(), bytes, box->font());
    box->moveCursor(QTextCursor::Start);
}

bool TExerciseWindow::PronounceSelectedWord() {
    return seams_.Pronouncer.PronounceSelectedWord();
}

bool TExerciseWindow::PlayerBusy() {
    return seams_.Pronouncer.Playing();
}

void TExerciseWindow::StopPlayer() {
    seams_.Pronouncer.StopPlaying();
}

void TExerciseWindow::PlayVerdict(bool right) {
    if (QLabel* box = VerdictBox()) {
        box->setPixmap(VerdictPicture(right));
    }
    seams_.Environment.PlayVerdictSound(
        platform::ResolvePath(seams_.Paths.DictionaryDir(), right ? "\\da.wav" : "\\ne.wav"));
    ClearVerdictPicture();
}

void TExerciseWindow::ClearVerdictPicture() {
    if (QLabel* box = VerdictBox()) {
        box->clear();
    }
}

std::string TExerciseWindow::WordBoxText() const {
    QLineEdit* box = WordBox();
    return box != nullptr ? ui::ToCodePage(box->text()) : std::string();
}

void TExerciseWindow::SetWordBoxText(const std::string& text) {
    if (QLineEdit* box = WordBox()) {
        ShowWholeWord(*box, ui::FromCodePage(text));
        box->repaint();
    }
}

void TExerciseWindow::FocusWordBox() {
    if (QLineEdit* box = WordBox()) {
        box->setFocus();
    }
}

} // namespace exercises
