#pragma once

#include <string_view>
#include <vector>

namespace lookup {

// What the search box's drop-down list holds and shows, without the widget:
// the head-words (views into buffers that outlive the list), the selected
// position (-1: none) and the first visible row. The list shows a fixed
// number of rows and never scrolls past the point where its last row is the
// last head-word.
class TSearchComboList {
public:
    explicit TSearchComboList(int visibleRows);

    // Replaces the items; no position selected, scrolled to the start.
    void SetItems(const std::vector<std::string_view>& items);
    void ClearItems();

    int Count() const { return static_cast<int>(items_.size()); }
    std::string_view Item(int index) const;

    int ItemIndex() const { return itemIndex_; }
    // Selects a position (out of range means none) and scrolls it into view.
    // Returns whether the selected position changed.
    bool SetItemIndex(int index);

    int TopIndex() const { return topIndex_; }
    int MaxTopIndex() const;
    // Clamped to the rows the list can scroll to.
    void SetTopIndex(int index);

    // The first head-word, from position 0, that begins with word without
    // regard to letter case; -1 when none does.
    int FindPrefix(std::string_view word) const;

    // Follows an edit of the text: the first head-word that begins with it is
    // scrolled to the top (the start when there is none) and, while the list
    // is open, selected; a closed list is left with no selection. An empty
    // text matches nothing.
    void FollowText(std::string_view text, bool dropped);

    // Moves the selection by delta rows, clamped to the items; from no
    // selection the first visible row is taken. The selection is scrolled
    // into view. Returns whether the selected position changed.
    bool Move(int delta);

private:
    void ScrollIntoView(int index);

    int visibleRows_;
    std::vector<std::string_view> items_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
};

} // namespace lookup
