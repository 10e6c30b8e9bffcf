#pragma once

#include <cstddef>
#include <string>

// The about windows' texts and the credits' scrolling, without widgets.
namespace interface {

// Lines of both about windows end with LF CR; a blank line is two pairs.
inline constexpr const char* kLineEnd = "\n\r";

// The credits of the about-us window in the interface language, UTF-8: the
// title, the dictionary data and its licence, the program's authors, the
// speech synthesiser and the libraries it is built on.
std::string CreditsText(bool english);

// The head-words of the data folder's two bases, which the about-program
// window counts.
struct THeadWordCounts {
    std::size_t English = 0;
    std::size_t Bulgarian = 0;
};

// A count as the about-program window writes it: thousands set apart by a
// blank ("28 498").
std::string GroupedCount(std::size_t count);

// The four lines of the about-program window, UTF-8.
std::string AboutProgramText(bool english, THeadWordCounts counts);

// The credits' endless scroll: the text starts just below the visible area,
// moves one pixel a tick and jumps back to the other end when it arrives.
class TCreditsScroller {
public:
    enum class TDirection { Up, Down };

    // viewportHeight and stripHeight: the viewport and the strip at its foot
    // below which the text starts; labelHeight: the height of the text.
    void Start(int viewportHeight, int stripHeight, int labelHeight);

    // One timer tick; returns the new top.
    int Tick();

    // The up arrow scrolls the text downwards, the down arrow upwards; both
    // resume a paused scroll. STOP pauses.
    void UpArrow();
    void DownArrow();
    void Stop();

    int Top() const { return top_; }
    int StartPosition() const { return start_; }
    int EndPosition() const { return end_; }
    TDirection Direction() const { return direction_; }
    bool Running() const { return running_; }

    // The bottom of the scroll loop: the text's top when moving up ends.
    static constexpr int kEndBase = 100;
    // How far below the strip the text starts.
    static constexpr int kStartBelowStrip = 10;

private:
    int top_ = 0;
    int start_ = 0;
    int end_ = 0;
    TDirection direction_ = TDirection::Up;
    bool running_ = true;
};

} // namespace interface
