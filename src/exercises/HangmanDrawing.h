#pragma once

#include "ui/Palette.h"

#include <QImage>
#include <QPoint>

// The Hangman gallows: one stroke per miss on an 80 x 130 picture, and the
// coloured loss figure whose legs swing for three seconds.
namespace exercises {

inline constexpr int kGallowsWidth = 80;
inline constexpr int kGallowsHeight = 130;

inline constexpr QRgb kGallowsInk = ui::palette::GallowsInk;
inline constexpr QRgb kGallowsEyes = ui::palette::GallowsEyes;
inline constexpr QRgb kGallowsSkin = ui::palette::GallowsSkin;
// The ground the strokes are drawn on (the dialogs' paper tone).
QRgb GallowsBackground();

// The picture after a number of misses (clamped to 0..10). Ten is the loss
// figure: red eyes, orange face and body, a frown; legsPhase 1 shows its legs
// swung inwards, 0 at rest.
QImage DrawGallows(int misses, int legsPhase = 0);

// Fills with fill every pixel 4-connected to seed that is not of the border
// colour, as far as the border colour encloses it (or the picture ends). A
// seed outside the picture or on the border colour fills nothing. Works
// without recursion, with memory in proportion to the picture.
void FloodFillBorder(QImage& image, QPoint seed, QRgb border, QRgb fill);

// The legs' swing after a loss: ten ticks of 300 ms that end in the phase
// they started in.
class TGallowsKick {
public:
    static constexpr int kTicks = 10;
    static constexpr int kIntervalMs = 300;

    void Start() {
        ticks_ = kTicks;
        phase_ = 0;
    }
    void Stop() {
        ticks_ = 0;
        phase_ = 0;
    }
    // One timer tick; true when the legs moved and the picture must be
    // drawn again.
    bool Tick();
    bool Running() const { return ticks_ > 0; }
    int Phase() const { return phase_; }

private:
    int ticks_ = 0;
    int phase_ = 0;
};

} // namespace exercises
