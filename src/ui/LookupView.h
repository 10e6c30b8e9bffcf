#pragma once

#include <string>

// What the other rooms see of the main window's look-up, widget-free: the
// main window implements each interface once and hands it to every room that
// needs it. Texts are code page 1251.
namespace ui {

// The selected letter tab, the search box and the article pane.
class TLookupView {
public:
    virtual ~TLookupView() = default;
    virtual int TabIndex() const = 0;
    // The search box's selected position, -1 for none.
    virtual int SearchBoxItemIndex() const = 0;
    virtual std::string SearchBoxText() const = 0;
    // The search box's change handling, which shows the selected article.
    virtual void SearchBoxChanged() = 0;
    // Gives the search box the keyboard focus when it is enabled.
    virtual void FocusSearchBox() = 0;
    virtual void ClearArticle() = 0;
};

// The pronounce button (Button7).
class TPronounceButton {
public:
    virtual ~TPronounceButton() = default;
    virtual bool PronounceButtonEnabled() const = 0;
    // The search box shows another text: pronouncing is offered exactly for
    // an English letter.
    virtual void SetPronounceButtonEnabled(bool enabled) = 0;
    // Hidden exactly in page mode.
    virtual bool PronounceButtonVisible() const = 0;
    // The pronounce availability rule for a newly selected letter tab.
    virtual void ApplyPronounceAvailability(int tab) = 0;
    virtual void Pronounce() = 0;
};

} // namespace ui
