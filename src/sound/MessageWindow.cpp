#include "sound/MessageWindow.h"

#include <QCoreApplication>

namespace sound {
namespace {

QEvent::Type PostedMessageType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class TPostedMessage : public QEvent {
public:
    TPostedMessage(std::uintptr_t wParam, std::uintptr_t lParam)
        : QEvent(PostedMessageType()), WParam(wParam), LParam(lParam) {}
    std::uintptr_t WParam;
    std::uintptr_t LParam;
};

} // namespace

TMessageWindow::TMessageWindow(THandler handler) : Handler(std::move(handler)) {}

void TMessageWindow::Post(std::uintptr_t wParam, std::uintptr_t lParam) {
    QCoreApplication::postEvent(this, new TPostedMessage(wParam, lParam));
}

bool TMessageWindow::event(QEvent* e) {
    if (e->type() != PostedMessageType())
        return QObject::event(e);
    const auto* message = static_cast<TPostedMessage*>(e);
    Handler(message->WParam, message->LParam);
    return true;
}

} // namespace sound
