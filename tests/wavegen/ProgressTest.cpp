#include "wavegen/Progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

TEST(ProgressTest, ALogGetsALineAtEachQuarterNeverMore) {
    std::ostringstream out;
    wavegen::Progress progress(out, false);
    progress.Begin(1000);
    for (std::size_t done = 1; done <= 1000; ++done) {
        progress.Update(done);
    }
    progress.End();
    EXPECT_EQ(out.str(), "wavegen: making 1000 files\n"
                         "wavegen: 250 of 1000 files made (25%)\n"
                         "wavegen: 500 of 1000 files made (50%)\n"
                         "wavegen: 750 of 1000 files made (75%)\n"
                         "wavegen: 1000 of 1000 files made (100%)\n");

    std::ostringstream few;
    wavegen::Progress small(few, false);
    small.Begin(2);
    small.Update(1);
    small.Update(2);
    EXPECT_EQ(few.str(), "wavegen: making 2 files\n"
                         "wavegen: 1 of 2 files made (50%)\n"
                         "wavegen: 2 of 2 files made (100%)\n");
}

TEST(ProgressTest, ATerminalGetsOneBarRedrawnInPlace) {
    std::ostringstream out;
    wavegen::Progress progress(out, true);
    progress.Begin(3);
    progress.Update(1);
    progress.Update(2);
    progress.Update(3);
    progress.End();
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.rfind("\r[" + std::string(40, '#') + "] 100% 3/3\n"), std::string::npos) << text;
}

TEST(ProgressTest, NothingToDoShowsNothing) {
    std::ostringstream log;
    std::ostringstream terminal;
    for (auto* out : {&log, &terminal}) {
        wavegen::Progress progress(*out, out == &terminal);
        progress.Begin(0);
        progress.Update(0);
        progress.End();
    }
    EXPECT_TRUE(log.str().empty());
    EXPECT_TRUE(terminal.str().empty());
}

} // namespace
