#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <string_view>

class QGroupBox;
class QObject;
class QTextEdit;
class QToolButton;
class QWidget;

namespace interface {

// The pronunciation key panel as built: five groups of symbol buttons
// (trans1 ... trans48) and the one-line strip that describes a sound.
struct TKeyPanel {
    QWidget* Panel4 = nullptr;
    QGroupBox* RzGroupBox1 = nullptr; // triphthongs
    QGroupBox* RzGroupBox2 = nullptr; // vowels
    QGroupBox* RzGroupBox3 = nullptr; // diphthongs
    QGroupBox* RzGroupBox4 = nullptr; // semivowels
    QGroupBox* RzGroupBox5 = nullptr; // consonants
    QTextEdit* RzRichEdit1 = nullptr;
    std::array<QToolButton*, 48> Buttons{};
};

// Builds the hidden key panel over the article pane (laid out in its top
// left 398 x 213 pixels); every button reports its press with itself as the
// sender.
TKeyPanel BuildPronunciationKey(QWidget* parent, const QRect& articlePane,
                                std::function<void(QObject* sender)> onPress);

// The picture of a key button: the symbol drawn in a font that holds the
// phonetic letters, sharp at the screen's pixel ratio.
QPixmap KeySymbolPicture(const QString& label, QSize size, qreal pixelRatio);

// Shows line n (1-based) of the strip: the caret at its start, scrolled so
// that it is the first visible line. False when the strip has fewer lines.
bool ShowStripLine(QTextEdit& strip, int n);

// Replaces the strip's text with an RTF document and lets every line scroll
// to the top.
void LoadStrip(QTextEdit& strip, std::string_view rtf);

} // namespace interface
