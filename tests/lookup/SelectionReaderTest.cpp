// The clipboard read over X against owners of the test's own making, on an
// X server the test starts (Xvfb): one that answers, one that answers only
// long after the bound, one that never answers.
#include "lookup/SelectionReader.h"

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

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// Another program that owns CLIPBOARD. It answers requests with its text
// after a delay, or never when the delay is negative.
class TOwner {
public:
    TOwner(std::string text, std::chrono::milliseconds delay)
        : text_(std::move(text)), delay_(delay), x_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
        window_ = xcb_generate_id(x_);
        xcb_create_window(x_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
        clipboard_ = Atom(x_, "CLIPBOARD");
        utf8_ = Atom(x_, "UTF8_STRING");
        xcb_set_selection_owner(x_, window_, clipboard_, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr));
        if (delay_.count() >= 0) {
            thread_ = std::thread([this] { Answer(); });
        }
    }
    ~TOwner() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        xcb_disconnect(x_);
    }

private:
    void Answer() {
        while (!stop_) {
            xcb_generic_event_t* event = xcb_poll_for_event(x_);
            if (event == nullptr) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
                const auto until = std::chrono::steady_clock::now() + delay_;
                while (!stop_ && std::chrono::steady_clock::now() < until) {
                    std::this_thread::sleep_for(5ms);
                }
                xcb_selection_notify_event_t notify{};
                notify.response_type = XCB_SELECTION_NOTIFY;
                notify.time = request->time;
                notify.requestor = request->requestor;
                notify.selection = request->selection;
                notify.target = request->target;
                notify.property = XCB_NONE;
                if (request->target == utf8_) {
                    xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request->requestor,
                                        request->property, utf8_, 8,
                                        static_cast<std::uint32_t>(text_.size()), text_.data());
                    notify.property = request->property;
                }
                xcb_send_event(x_, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char*>(&notify));
                xcb_flush(x_);
            }
            std::free(event);
        }
    }

    std::string text_;
    std::chrono::milliseconds delay_;
    xcb_connection_t* x_;
    xcb_window_t window_ = 0;
    xcb_atom_t clipboard_ = 0;
    xcb_atom_t utf8_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

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
