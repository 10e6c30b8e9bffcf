#pragma once

#include "dictionary/LookupService.h"
#include "lookup/LookupControls.h"
#include "lookup/VirtualKeys.h"
#include "ui/LookupView.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
struct TEnvironment;
} // namespace ui

namespace lookup {

// A head-word's letter tab and position in the letter.
struct TWordPlace {
    int Tab = -1;
    int Position = -1;
};

// What the look-up controls need from the window that holds them, besides
// the pronounce button.
class TLookupHost {
public:
    virtual ~TLookupHost() = default;
    // Enter on a word the index does not know: the new-word dialog, which
    // returns when it has closed. Each word it saves goes to saved the moment
    // the index holds it, while the dialog is still open.
    virtual void OpenNewWordDialog(const std::string& word, int tab,
                                   const std::function<void(const TWordPlace&)>& saved) = 0;
    // Runs step once the event being handled is over.
    virtual void Defer(std::function<void()> step) = 0;
    virtual void PostQuit() = 0;
    virtual bool TranslateCopiedText() const = 0; // Options > Control-C
    virtual bool BringForwardOnCopy() const = 0;  // Options > PopUp
    virtual bool ContinueVisible() const = 0;     // a page occupies the article pane
    virtual void BringForward() = 0;
    // The language of the line the article pane shows above an article.
    virtual bool EnglishInterface() const = 0;
};

// Remembered by every change of the search box whose text is not a single
// space and by every look-up of double-clicked or copied text that finds a
// head-word; Space and the pronunciation bring it back.
struct TLastLookup {
    std::string Text;
    int Tab = -1;
    int Position = -1;
};

// The look-up window's rules: letter tabs, search box keys, article pane and
// clipboard translation, over the main window's controls and the look-up
// service of its index.
class TLookupWindow {
public:
    // The environment gives the beep of a locked article pane.
    TLookupWindow(const dictionary::TLookupService& dictionary, TLetterTabs& tabs,
                  TSearchBox& combo, TArticlePane& pane, TLookupHost& host,
                  ui::TPronounceButton& pronounce, const ui::TEnvironment& environment);

    // The search box's items become the tab's head-words: empty text, no
    // selection. A tab outside 0..57 selects nothing.
    void SelectLetter(int tab);
    // Loads the article of the selected head-word when the search box text
    // equals it exactly.
    void ShowSelectedArticle();
    // The look-up of double-clicked and copied text: the head-word, else a
    // word form's base, else find by shortening with spelling suggestions;
    // the article pane says above the article what was resolved.
    void FindByShortening(std::string_view text);
    // Selects the word's letter tab and the first head-word that begins with
    // it, and shows that article (a study-list pick).
    void ShowWord(const std::string& word);
    // extraLine, when given, stands above the hints.
    void ShowUsageHints(bool english, const QString& extraLine = {});

    void ComboBox1Change();
    void ComboKeyDown(int& key, TShiftState shift);
    void ComboKeyPress(char& key);
    void ComboKeyUp(int& key, TShiftState shift);
    void TabControl1Change();
    void RichEdit1Change();
    void RichEdit1DblClick();
    // A head-word of the line above the article was clicked.
    void RichEdit1NoteClick(const std::string& headWord);
    // firstLine: the clipboard text up to its first line break.
    void ClipboardChanged(const QString& firstLine);

    const TLastLookup& LastLookup() const { return lastLookup_; }

    // Gives the search box the keyboard focus when it is enabled.
    void FocusSearchBox();

private:
    void RememberLastLookup();
    // Selects where a look-up settled, shows its article and the line that
    // says what the look-up made of the text.
    void ShowFound(const dictionary::TTextLookup& found);
    // Shows the line for a look-up: the form resolved and the phrases that
    // begin with it, or the suggestions, or why word forms are off.
    void ShowNote(const dictionary::TTextLookup& found);
    // Enter on a typed word that is no head-word but a form: its base.
    bool ChooseForm(const std::optional<dictionary::TTextLookup>& form);
    void BringForwardAndFocus();
    // Enter on a text no head-word begins with: the new-word dialog. The
    // search box's items are views into the letter's index, which a saved
    // word moves: the box takes the letter's new list the moment the word is
    // saved, and shows the word.
    void AddUnknownWord(const std::string& typed);
    // Selects and shows a saved head-word unless it is shown already.
    void ShowSavedWord(const TWordPlace& place);

    const dictionary::TLookupService& dictionary_;
    TLetterTabs& tabs_;
    TSearchBox& combo_;
    TArticlePane& pane_;
    TLookupHost& host_;
    ui::TPronounceButton& pronounce_;
    const ui::TEnvironment& environment_;
    TLastLookup lastLookup_;
    // The line shown last, shown again when one of its words is clicked.
    std::vector<TNotePart> note_;
};

} // namespace lookup
