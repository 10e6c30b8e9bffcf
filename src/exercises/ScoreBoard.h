#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace exercises {

// The score of Method 4 and Hangman: a "Results" caption (Label4) over a
// paper box that holds a two-section header naming the user and the program
// (HeaderControl1, sections "HeaderControl1Section0" and "...Section1") and
// the score under it. The paper keeps the win and loss colours legible on
// the navy panel.
class TScoreBoard {
public:
    // geometry: caption and box together. boxName: the box's object name;
    // scoreName: the score label's.
    TScoreBoard(QWidget* parent, const QRect& geometry, const QString& boxName,
                const QString& scoreName);

    void Show(const QString& score);
    // The score in a colour of its own (won, lost); the ink colour otherwise.
    void Show(const QString& score, QColor colour);

    QLabel* Caption = nullptr;
    QWidget* Box = nullptr;
    QWidget* Header = nullptr;
    QLabel* Score = nullptr;
};

} // namespace exercises
