#include "exercises/MainWindowSeams.h"

#include <algorithm>

namespace exercises {

TPlayEndMembership::TPlayEndMembership(TPlayEndSubscription& subscription,
                                       TPlayEndListener& listener)
    : subscription_(subscription), listener_(listener) {
    subscription_.Join(listener_);
}

TPlayEndMembership::~TPlayEndMembership() {
    subscription_.Leave(listener_);
}

void TPlayEndListeners::Join(TPlayEndListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) {
        listeners_.push_back(&listener);
    }
}

void TPlayEndListeners::Leave(TPlayEndListener& listener) {
    std::erase(listeners_, &listener);
}

void TPlayEndListeners::Notify() {
    const auto listeners = listeners_;
    for (TPlayEndListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
            listener->PlayEnded();
        }
    }
}

} // namespace exercises
