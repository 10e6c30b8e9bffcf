#pragma once

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

using namespace std::chrono_literals;

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// Another program that owns CLIPBOARD, on a connection of its own. It
// answers requests for its text (UTF8_STRING, and TARGETS as toolkits ask
// first) after a delay, or never when the delay is negative.
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
        targets_ = Atom(x_, "TARGETS");
        TakeOwnership();
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

    // A new copy: the owner takes the clipboard anew with this text, and
    // the other clients are told of the change.
    void Copy(std::string text) {
        {
            std::lock_guard lock(mutex_);
            text_ = std::move(text);
        }
        TakeOwnership();
    }

private:
    void TakeOwnership() {
        std::lock_guard lock(xMutex_);
        xcb_set_selection_owner(x_, window_, clipboard_, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr));
    }

    void Answer() {
        while (!stop_) {
            xcb_generic_event_t* event = nullptr;
            {
                std::lock_guard lock(xMutex_);
                event = xcb_poll_for_event(x_);
            }
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
                std::lock_guard lock(xMutex_);
                if (request->target == utf8_) {
                    std::lock_guard textLock(mutex_);
                    xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request->requestor,
                                        request->property, utf8_, 8,
                                        static_cast<std::uint32_t>(text_.size()), text_.data());
                    notify.property = request->property;
                } else if (request->target == targets_) {
                    const xcb_atom_t offered[] = {targets_, utf8_};
                    xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request->requestor,
                                        request->property, XCB_ATOM_ATOM, 32, 2, offered);
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
    xcb_atom_t targets_ = 0;
    std::mutex mutex_;
    std::mutex xMutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace testsupport
