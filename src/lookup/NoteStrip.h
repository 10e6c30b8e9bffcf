#pragma once

#include "lookup/LookupControls.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace lookup {

// The short line above an article ("went → go", "Did you mean: …"), drawn
// by itself: its words are measured from the advances of their letters, kept
// once measured, and placed without a text document, so that a new line
// costs no shaping and no layout pass. Parts
// with a head-word are links, followed by the mouse and, once the strip has
// the focus, by Tab and Enter.
class TNoteStrip : public QWidget {
    Q_OBJECT

public:
    explicit TNoteStrip(QWidget* parent = nullptr);

    std::function<void(const std::string& headWord)> OnClick;

    void SetParts(const std::vector<TNotePart>& parts);
    // The line as shown, links as their words.
    const QString& Text() const { return text_; }
    // The height the parts need at a width: more than one line only when
    // they do not fit one.
    int HeightForWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct TPiece {
        QString Text;
        int Word = -1; // index into words_, or -1 for plain text
        qreal Advance = 0;
        qreal Trailing = 0; // the spaces it ends with
        bool Blank = false; // spaces only
        qreal X = 0;
        int Line = 0;
        bool Shown = true; // spaces that would begin a wrapped line are not
    };

    void Measure();
    void Layout(int width);
    qreal AdvanceOf(const QString& text);
    QRectF PieceRect(const TPiece& piece) const;
    int PieceAt(const QPointF& point) const;
    int NextLink(int from, bool forward) const;
    void Activate(int piece);

    std::vector<TPiece> pieces_;
    std::vector<std::string> words_;
    QString text_;
    QHash<char16_t, qreal> advances_;
    QFont measuredFont_;
    bool measured_ = false;
    int laidOutWidth_ = -1;
    int lines_ = 1;
    int pressed_ = -1;
    int current_ = -1; // the link that has the keyboard focus
    bool overLink_ = false;
};

} // namespace lookup
