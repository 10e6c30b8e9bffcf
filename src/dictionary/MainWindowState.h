#pragma once

#include "LetterIndex.h"

#include <filesystem>
#include <string>

class TMPEGPlayer;

namespace dictionary {

// The main window's shared state as the exercise windows read and steer it:
// the letter tabs, the search box, the study list, the index, the interface
// language and the MP3 player. Texts are code page 1251.
class TMainWindowState {
public:
    virtual ~TMainWindowState() = default;

    virtual const DictionaryIndex& Index() const = 0;
    virtual const std::filesystem::path& StartDir() const = 0;

    virtual int TabIndex() const = 0;
    // Returns the tab actually selected (an invalid tab selects nothing new).
    virtual int SetTabIndex(int tab) = 0;
    // The search box's items become the selected tab's head-words.
    virtual void FillSearchBox() = 0;
    virtual int SearchBoxItemIndex() const = 0;
    // Selecting a position puts its head-word into the search box text.
    virtual void SetSearchBoxItemIndex(int position) = 0;
    virtual std::string SearchBoxText() const = 0;
    virtual void SetSearchBoxText(const std::string& text) = 0;
    // The search box's change handling, which shows the selected article.
    virtual void SearchBoxChanged() = 0;

    virtual int StudyListCount() const = 0;
    virtual std::string StudyListItem(int position) const = 0;
    virtual int StudyListItemIndex() const = 0;
    virtual void SetStudyListItemIndex(int position) = 0;

    virtual bool EnglishInterface() const = 0;

    // The one MP3 player, which the exercises pronounce their words through.
    virtual TMPEGPlayer& Player() = 0;
};

} // namespace dictionary
