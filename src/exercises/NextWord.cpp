#include "exercises/NextWord.h"

namespace exercises {

int TListOrder::Next(int current, int count) {
    if (count <= 0) {
        return -1;
    }
    if (current < -1 || current >= count - 1) {
        return 0;
    }
    return current + 1;
}

int TListOrder::Previous(int current, int count) {
    if (count <= 0) {
        return -1;
    }
    if (current <= 0 || current > count) {
        return count - 1;
    }
    return current - 1;
}

int TListOrder::Random(int count) {
    return count <= 0 ? -1 : random_.Below(count);
}

int TStepPolicy::Forward(int current, int count, TStudyOrder order) const {
    return order == TStudyOrder::Random ? source_.Random(count) : source_.Next(current, count);
}

int TStepPolicy::Back(int current, int count, TStudyOrder order) const {
    return order == TStudyOrder::Random ? source_.Random(count) : source_.Previous(current, count);
}

} // namespace exercises
