#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace wavegen {

// Shows how far the generation is. On a terminal a bar redrawn in place; in a
// log a line at every quarter, so that a piped run stays readable.
class Progress {
public:
    Progress(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}

    void Begin(std::size_t total);
    void Update(std::size_t done);
    void End();

private:
    void Draw(std::size_t done);

    std::ostream& out_;
    bool terminal_;
    std::size_t total_ = 0;
    std::size_t nextQuarter_ = 1;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_;
};

} // namespace wavegen
