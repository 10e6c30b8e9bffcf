#pragma once

#include "exercises/ExerciseRules.h"
#include "platform/Paths.h"

#include <QAbstractButton>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QTimer>

#include <initializer_list>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QObject;
class QProgressBar;
class QSlider;
class QTextEdit;
class QToolButton;
class QWidget;

// How the exercise windows look: a deep navy desktop behind a navy content
// panel framed in teal, white text, amber accents, words and articles on
// white paper in the article font. Everything here only builds or dresses
// widgets.
namespace exercises {

// The style sheet of a whole exercise window. Roles are set as the dynamic
// property "role" on widgets: "panel" (a content panel), "heading",
// "caption" (small teal titles), "word" (a white word box), "article",
// "verdict" (the paper square behind a verdict picture), "notice" (a boxed
// message), "framed" (a text button with a frame), "large" (a framed picture
// button with its caption below), "mark" (+ and - by a slider).
QString ExerciseStyleSheet();

// The word box's font: a large bold serif.
QFont WordFont(int pixelSize);
// The article font, as the main window's article pane uses it.
QFont ArticleFont();

// 28 x 28 pictures on the panel colour, drawn like the program's button icons.
QPixmap HelpPicture();
QPixmap ExitPicture();
// Stand in for "Start1.bmp", "Start2.bmp" and "Stop2.bmp" when those data
// files are missing.
QPixmap StartFallbackPicture(int phase);
QPixmap StopFallbackPicture();

// "Start" + phase + ".bmp" and "Stop2.bmp", data files, or the fallback
// pictures.
QPixmap StartPicture(const platform::TPaths& paths, int phase);
QPixmap StopPicture(const platform::TPaths& paths);

// A content panel (role "panel") with the program's heading line at the top:
// the object name "Heading" is given to its title label.
QWidget* ContentPanel(QWidget* parent, const QString& name, const QRect& geometry);
// A thin teal line.
QWidget* Rule(QWidget* parent, const QRect& geometry);
// A flat button showing a caption in a frame (role "framed").
QToolButton* TextButton(QWidget* parent, const QString& name, const QRect& geometry);
// A large framed button with its picture above its caption (role "large").
QToolButton* LargeButton(QWidget* parent, const QString& name, const QRect& geometry,
                         const QPixmap& picture);
// A flat picture button.
QToolButton* PictureButton(QWidget* parent, const QString& name, const QRect& geometry,
                           const QPixmap& picture);
// The thin progress bar without text, "PrgBar1".
QProgressBar* ProgressBar(QWidget* parent, const QRect& geometry);
// Shows progress out of max; a max of 0 shows an empty bar.
void ShowProgress(QProgressBar* bar, int progress, int max);
// A timer with its object name, owned by owner.
QTimer* NamedTimer(QObject* owner, const QString& name);
// The word box "Edit1" in a large bold serif of pixelSize: read-only and
// never focused where it only shows the word, centred where it takes the
// typed answer. styleSheet: its colour.
enum class TWordEdit { Shows, Answer };
QLineEdit* WordEdit(QWidget* parent, const QRect& geometry, int pixelSize,
                    const QString& styleSheet, TWordEdit kind);
// Puts a word into a box made by WordEdit, whole and from its start: in the
// box's own size when it fits, else in the largest smaller one that fits
// on one line, or wrapped onto lines painted over the box when that gives
// larger letters (a word too long for the smallest shows its start).
void ShowWholeWord(QLineEdit& box, const QString& text);
// The word ShowWholeWord shows wrapped over the box, or empty while the box
// shows its text on one line.
QString WrappedWordShown(const QLineEdit& box);
// The height of text laid out in lines of width pixels as the wrapped word
// is.
int WrappedWordHeight(const QFont& font, Qt::Alignment alignment, int width, const QString& text);
// The article box "RichEdit1": read-only, never focused, a vertical scroll
// bar always, in the article font.
QTextEdit* ArticleEdit(QWidget* parent, const QRect& geometry);
// A check box for one of the window's options; takesFocus: whether the
// keyboard can reach it, or it leaves the focus in the answer box.
QCheckBox* OptionBox(QWidget* parent, const QString& name, const QRect& geometry, bool takesFocus);

// Connects a signal of each sender (a button's click, a timer's timeout) to
// a handler of the window, by the handler's name.
template <typename TWindow, typename TSender, typename... TArgs>
void OnSignal(TWindow* window, void (TSender::*signal)(TArgs...),
              std::initializer_list<std::pair<TSender*, void (TWindow::*)()>> handlers) {
    for (const auto& entry : handlers) {
        const auto handler = entry.second;
        QObject::connect(entry.first, signal, window, [window, handler] { (window->*handler)(); });
    }
}

// A label with a text of its own.
QLabel* TextLabel(QWidget* parent, const QString& name, const QRect& geometry,
                  const char* role = "caption");
// A slider from 1 to 10 by steps of 1, "+" and "-" marked at its ends: the
// top and bottom ends of a vertical slider, the left and right ends of a
// horizontal one. markArea: where the slider and its marks go.
QSlider* SpeedSlider(QWidget* parent, Qt::Orientation orientation, const QRect& markArea,
                     int position);

// The Start/Stop button: mirrors a TStartStop (picture and hint) and blinks
// between the two Start pictures. The blink timer itself is the window's.
class TStartButton {
public:
    // startStopHint: the window's own "Start/Stop" hint from its table.
    // Its pictures are data files found through paths.
    TStartButton(QToolButton* button, QString startStopHint, bool english,
                 const platform::TPaths& paths);

    // Shows the state's picture and hint. Going back to the Start picture
    // starts again from the first phase.
    void Show(const TStartStop& state);
    // One blink: the other Start picture, painted at once.
    void Blink();
    int Phase() const { return phase_; }
    QToolButton* Button() const { return button_; }

private:
    QToolButton* button_;
    QString startStopHint_;
    bool english_;
    const platform::TPaths& paths_;
    int phase_ = 1;
    TStartFace face_ = TStartFace::Start;
};

// Keeps a real timer in step with a TTimerState.
class TTimerMirror {
public:
    explicit TTimerMirror(QTimer* timer) : timer_(timer) {}
    void Apply(const TTimerState& state);
    QTimer* Timer() const { return timer_; }

private:
    QTimer* timer_;
    unsigned appliedStarts_ = 0;
};

} // namespace exercises
