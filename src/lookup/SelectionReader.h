#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace lookup {

// Reads the X clipboard's text over a connection of its own, waiting at most
// a bound for the owner's answer: an owner that never answers costs that
// bound, not the toolkit's seconds-long wait on the interface thread.
class TSelectionReader {
public:
    static constexpr std::chrono::milliseconds kDefaultBound{100};

    // Connects to the display named by DISPLAY on first use.
    explicit TSelectionReader(std::chrono::milliseconds bound = kDefaultBound);
    ~TSelectionReader();
    TSelectionReader(const TSelectionReader&) = delete;
    TSelectionReader& operator=(const TSelectionReader&) = delete;

    // The clipboard's text as UTF-8; empty when it holds none, or when the
    // owner did not answer within the bound. Nothing when there is no X
    // display to ask.
    std::optional<std::string> Text();

private:
    struct TConnection;
    std::chrono::milliseconds bound_;
    std::unique_ptr<TConnection> connection_;
    bool failed_ = false;
};

} // namespace lookup
