// The clipboard read over X against owners of the test's own making, on an
// X server the test starts (Xvfb): one that answers, one that answers only
// long after the bound, one that never answers.
#include "lookup/SelectionReader.h"
#include "tests/lookup/ClipboardOwner.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// An Xvfb of the test's own, DISPLAY set to it while the test runs.
class TOwnDisplay {
public:
    TOwnDisplay() {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(pipeFds[0]);
            const std::string fd = std::to_string(pipeFds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24",
                     "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        std::string number;
        char c = 0;
        while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(pipeFds[0]);
        if (number.empty()) {
            return;
        }
        if (const char* old = std::getenv("DISPLAY")) {
            saved_ = old;
            hadDisplay_ = true;
        }
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        ready_ = true;
    }
    ~TOwnDisplay() {
        if (ready_) {
            if (hadDisplay_) {
                ::setenv("DISPLAY", saved_.c_str(), 1);
            } else {
                ::unsetenv("DISPLAY");
            }
        }
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool Ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
    bool hadDisplay_ = false;
    std::string saved_;
};

using testsupport::TOwner;

class SelectionReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!display_.Ready()) {
            GTEST_SKIP() << "no Xvfb to start: the X clipboard is not tested";
        }
    }
    TOwnDisplay display_;
};

TEST_F(SelectionReaderTest, AnAnsweringOwnersTextIsRead) {
    TOwner owner("running,\nsecond line \xD0\xBA\xD1\x8A\xD1\x89\xD0\xB0", 0ms);
    lookup::TSelectionReader reader;
    EXPECT_EQ(reader.Text(), "running,\nsecond line \xD0\xBA\xD1\x8A\xD1\x89\xD0\xB0");
    EXPECT_EQ(reader.Text(), "running,\nsecond line \xD0\xBA\xD1\x8A\xD1\x89\xD0\xB0")
        << "and again on the next change";
}

TEST_F(SelectionReaderTest, NoOwnerIsNoText) {
    lookup::TSelectionReader reader;
    EXPECT_EQ(reader.Text(), "");
}

// The owner answers seconds after the bound: the read has given up by then,
// and the late answer is not taken for the next read's.
TEST_F(SelectionReaderTest, AnOwnerThatAnswersTooLateGivesNoText) {
    lookup::TSelectionReader reader;
    {
        TOwner owner("late", 3000ms);
        EXPECT_EQ(reader.Text(), "");
    }
    TOwner next("next", 0ms);
    EXPECT_EQ(reader.Text(), "next");
}

TEST_F(SelectionReaderTest, AnOwnerThatNeverAnswersGivesNoTextEveryTime) {
    TOwner owner("never", -1ms);
    lookup::TSelectionReader reader;
    for (int change = 0; change < 3; ++change) {
        EXPECT_EQ(reader.Text(), "");
    }
}

TEST(SelectionReaderWithoutDisplay, ThereIsNothingToAsk) {
    const char* old = std::getenv("DISPLAY");
    const std::string saved = old != nullptr ? old : "";
    ::unsetenv("DISPLAY");
    lookup::TSelectionReader reader;
    EXPECT_EQ(reader.Text(), std::nullopt);
    if (old != nullptr) {
        ::setenv("DISPLAY", saved.c_str(), 1);
    }
}

} // namespace
