#include "studylist/StudyWords.h"

#include <algorithm>

namespace studylist {

std::string StudyWords::Entry(int position) const {
    return position >= 0 && position < Count() ? entries_[static_cast<std::size_t>(position)]
                                               : std::string();
}

bool StudyWords::Contains(const std::string& word) const {
    return std::find(entries_.begin(), entries_.end(), word) != entries_.end();
}

void StudyWords::Select(int position) {
    selected_ = position >= 0 && position < Count() ? position : -1;
}

void StudyWords::Assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    selected_ = -1;
}

int StudyWords::Add(const std::vector<std::string>& words) {
    int last = -1;
    for (const std::string& word : words) {
        const auto found = std::find(entries_.begin(), entries_.end(), word);
        if (found != entries_.end()) {
            last = static_cast<int>(found - entries_.begin());
            continue;
        }
        entries_.push_back(word);
        last = Count() - 1;
    }
    return last;
}

void StudyWords::Remove(int position) {
    if (position >= 0 && position < Count()) {
        entries_.erase(entries_.begin() + position);
    }
    selected_ = -1;
}

void StudyWords::Clear() {
    entries_.clear();
    selected_ = -1;
}

} // namespace studylist
