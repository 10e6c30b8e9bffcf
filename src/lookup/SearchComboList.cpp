#include "lookup/SearchComboList.h"

#include "dictionary/Lookup.h"

#include <algorithm>

namespace lookup {

TSearchComboList::TSearchComboList(int visibleRows) : visibleRows_(std::max(1, visibleRows)) {}

void TSearchComboList::SetItems(const std::vector<std::string_view>& items) {
    items_ = items;
    itemIndex_ = -1;
    topIndex_ = 0;
}

void TSearchComboList::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    topIndex_ = 0;
}

std::string_view TSearchComboList::Item(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

bool TSearchComboList::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) {
        index = -1;
    }
    if (index == itemIndex_) {
        return false;
    }
    itemIndex_ = index;
    if (index >= 0) {
        ScrollIntoView(index);
    }
    return true;
}

int TSearchComboList::MaxTopIndex() const {
    return std::max(0, Count() - visibleRows_);
}

void TSearchComboList::SetTopIndex(int index) {
    topIndex_ = std::clamp(index, 0, MaxTopIndex());
}

int TSearchComboList::FindPrefix(std::string_view word) const {
    return dictionary::FindWord(items_, word);
}

void TSearchComboList::FollowText(std::string_view text, bool dropped) {
    const int found = text.empty() ? -1 : FindPrefix(text);
    itemIndex_ = dropped ? found : -1;
    SetTopIndex(std::max(found, 0));
}

bool TSearchComboList::Move(int delta) {
    if (items_.empty()) {
        return false;
    }
    const int from = itemIndex_ >= 0 ? itemIndex_ + delta : topIndex_;
    const int to = std::clamp(from, 0, Count() - 1);
    ScrollIntoView(to);
    if (to == itemIndex_) {
        return false;
    }
    itemIndex_ = to;
    return true;
}

void TSearchComboList::ScrollIntoView(int index) {
    if (index < topIndex_) {
        SetTopIndex(index);
    } else if (index >= topIndex_ + visibleRows_) {
        SetTopIndex(index - visibleRows_ + 1);
    }
}

} // namespace lookup
