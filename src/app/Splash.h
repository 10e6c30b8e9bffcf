#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

// The borderless start-up window shown while the word index loads: the
// splash picture and a row of progress dots. It has no behaviour of its own;
// the main window advances the dots and repaints it without processing events.
class TSplash : public QWidget {
    Q_OBJECT

public:
    explicit TSplash(QWidget* parent = nullptr);

    // One progress step, after each index file: the label grows by one dot
    // up to six, then the seventh step empties it and the count starts over.
    // The window is repainted at once.
    void AdvanceProgress();

    QLabel* Label1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Its own copy: the picture is not needed once the splash has gone.
    QPixmap picture_;
    int progressCount_ = 0;
};
