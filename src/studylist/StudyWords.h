#pragma once

#include <string>
#include <vector>

namespace studylist {

// The study list's entries and selection; the main window's list box mirrors
// it. Entries are code page 1251 head-words in the user's order.
class StudyWords {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    // Empty for a position outside the list.
    std::string Entry(int position) const;
    const std::vector<std::string>& Entries() const { return entries_; }
    bool Contains(const std::string& word) const;

    // The selected position, -1 for none.
    int Selected() const { return selected_; }
    // A position outside the list selects nothing.
    void Select(int position);

    // Replaces the entries; nothing is selected.
    void Assign(std::vector<std::string> entries);
    // Appends the words the list does not hold yet, in their order. Returns
    // the position of the last word given, whether added or already there;
    // -1 when no word was given.
    int Add(const std::vector<std::string>& words);
    // Removes an entry; nothing is selected afterwards.
    void Remove(int position);
    void Clear();

    // Whether the entries differ from those last opened or saved; the empty
    // list at start counts as saved.
    bool Modified() const { return entries_ != saved_; }
    // The entries as they are now were opened or saved.
    void MarkSaved() { saved_ = entries_; }

private:
    std::vector<std::string> entries_;
    std::vector<std::string> saved_;
    int selected_ = -1;
};

} // namespace studylist
