#include "exercises/MainWindowSeams.h"

namespace exercises {

TPlayEndMembership::TPlayEndMembership(TPlayEndSubscription& subscription,
                                       TPlayEndListener& listener)
    : subscription_(subscription), listener_(listener) {
    subscription_.Join(listener_);
}

TPlayEndMembership::~TPlayEndMembership() {
    subscription_.Leave(listener_);
}

} // namespace exercises
