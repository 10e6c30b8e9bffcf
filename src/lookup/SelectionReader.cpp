#include "lookup/SelectionReader.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <poll.h>

namespace lookup {

struct TSelectionReader::TConnection {
    xcb_connection_t* X = nullptr;
    xcb_window_t Window = 0;
    xcb_atom_t Clipboard = 0;
    xcb_atom_t Utf8 = 0;
    xcb_atom_t Property = 0;
    xcb_atom_t Incremental = 0;

    ~TConnection() {
        if (X != nullptr) {
            xcb_disconnect(X);
        }
    }

    xcb_atom_t Atom(const char* name) {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(X, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(X, cookie, nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : 0;
        std::free(reply);
        return atom;
    }

    bool Open() {
        X = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(X) != 0) {
            return false;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(X)).data;
        if (screen == nullptr) {
            return false;
        }
        // An unmapped window only to receive the owner's answer.
        Window = xcb_generate_id(X);
        xcb_create_window(X, XCB_COPY_FROM_PARENT, Window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
        Clipboard = Atom("CLIPBOARD");
        Utf8 = Atom("UTF8_STRING");
        Property = Atom("DICT_CLIPBOARD_TEXT");
        Incremental = Atom("INCR");
        return Clipboard != 0 && Utf8 != 0 && Property != 0;
    }

    // The owner's answer to the last request, or nothing by the deadline.
    std::optional<xcb_selection_notify_event_t>
    WaitForAnswer(std::chrono::steady_clock::time_point deadline) {
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(X)) {
                const bool answer = (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY;
                xcb_selection_notify_event_t notify{};
                if (answer) {
                    std::memcpy(&notify, event, sizeof notify);
                }
                std::free(event);
                if (answer && notify.requestor == Window) {
                    return notify;
                }
            }
            if (xcb_connection_has_error(X) != 0) {
                return std::nullopt;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return std::nullopt;
            }
            pollfd descriptor{xcb_get_file_descriptor(X), POLLIN, 0};
            ::poll(&descriptor, 1, static_cast<int>(left.count()) + 1);
        }
    }

    std::string ReadProperty() {
        // A text larger than this comes in pieces (INCR); its first line is
        // all a look-up wants, and such a text is no word: it gives nothing.
        constexpr std::uint32_t kLongs = 1 << 18;
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(X, 1, Window, Property, XCB_GET_PROPERTY_TYPE_ANY, 0, kLongs);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(X, cookie, nullptr);
        std::string text;
        if (reply != nullptr && reply->type != Incremental && reply->format == 8) {
            text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                        static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        }
        std::free(reply);
        return text;
    }
};

TSelectionReader::TSelectionReader(std::chrono::milliseconds bound) : bound_(bound) {}

TSelectionReader::~TSelectionReader() = default;

std::optional<std::string> TSelectionReader::Text() {
    if (failed_) {
        return std::nullopt;
    }
    if (!connection_) {
        if (std::getenv("DISPLAY") == nullptr) {
            failed_ = true;
            return std::nullopt;
        }
        connection_ = std::make_unique<TConnection>();
        if (!connection_->Open()) {
            connection_.reset();
            failed_ = true;
            return std::nullopt;
        }
    }
    TConnection& c = *connection_;
    // Late answers to requests that were given up on are no answer to this.
    while (xcb_generic_event_t* stale = xcb_poll_for_event(c.X)) {
        std::free(stale);
    }
    xcb_convert_selection(c.X, c.Window, c.Clipboard, c.Utf8, c.Property, XCB_CURRENT_TIME);
    xcb_flush(c.X);
    const auto answer = c.WaitForAnswer(std::chrono::steady_clock::now() + bound_);
    if (!answer || answer->property == XCB_NONE) {
        return std::string();
    }
    return c.ReadProperty();
}

} // namespace lookup
