#include "lookup/LookupWindow.h"

#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Environment.h"

namespace lookup {

TLookupWindow::TLookupWindow(const dictionary::TLookupService& dictionary, TLetterTabs& tabs,
                             TSearchBox& combo, TArticlePane& pane, TLookupHost& host,
                             ui::TPronounceButton& pronounce, const ui::TEnvironment& environment)
    : dictionary_(dictionary), tabs_(tabs), combo_(combo), pane_(pane), host_(host),
      pronounce_(pronounce), environment_(environment) {}

void TLookupWindow::SelectLetter(int tab) {
    if (!dictionary::IsValidTab(tab)) {
        return;
    }
    combo_.SetItems(dictionary_.Index().Letter(tab).HeadWords());
}

void TLookupWindow::ShowSelectedArticle() {
    const int position = combo_.ItemIndex();
    const int tab = tabs_.TabIndex();
    const auto headWord = dictionary_.HeadWordAt(tab, position);
    if (!headWord || combo_.Text() != *headWord) {
        return;
    }
    pane_.LoadArticle(dictionary_.ReadArticle(tab, position));
}

void TLookupWindow::FindByShortening(std::string_view text) {
    const auto found = dictionary_.FindText(text);
    if (!found) {
        return;
    }
    tabs_.SetTabIndex(found->Tab);
    // The letter tab changed: a Bulgarian word found from an English article
    // cannot be pronounced, an English one from a Bulgarian article can.
    pronounce_.ApplyPronounceAvailability(found->Tab);
    SelectLetter(found->Tab);
    if (found->Position >= 0) {
        combo_.SetItemIndex(found->Position);
        // Space and the pronunciation bring back what was shown last.
        RememberLastLookup();
        ShowSelectedArticle();
    }
}

void TLookupWindow::ShowWord(const std::string& word) {
    const int tab = dictionary::TabOfWord(word);
    if (dictionary::IsValidTab(tab)) {
        tabs_.SetTabIndex(tab);
    }
    const int current = tabs_.TabIndex();
    SelectLetter(current);
    combo_.SetItemIndex(word.empty() ? -1 : dictionary_.FindPrefix(current, word));
    ComboBox1Change();
}

void TLookupWindow::ShowUsageHints(bool english, const QString& extraLine) {
    QStringList lines = ui::UsageHintLines(ui::LanguageOf(english));
    // It takes the second empty line at the top, where it is seen without
    // scrolling.
    if (!extraLine.isEmpty() && lines.size() > 1) {
        lines[1] = extraLine;
    }
    pane_.ShowHintLines(lines);
}

void TLookupWindow::ComboBox1Change() {
    if (combo_.Text() != " ") {
        RememberLastLookup();
        pronounce_.SetPronounceButtonEnabled(dictionary::IsEnglishTab(tabs_.TabIndex()));
    }
    ShowSelectedArticle();
}

void TLookupWindow::RememberLastLookup() {
    lastLookup_ = {combo_.Text(), tabs_.TabIndex(), combo_.ItemIndex()};
}

void TLookupWindow::ComboKeyDown(int& key, TShiftState shift) {
    if (key > VK_SPACE) {
        combo_.SetDroppedDown(true);
    }
    if (shift == TShiftState(ssCtrl)) {
        const int next = combo_.ItemIndex() + 1;
        combo_.SetItemIndex(next < combo_.Count() ? next : -1);
        combo_.SetDroppedDown(false);
        ComboBox1Change();
        return;
    }
    if (shift == TShiftState(ssAlt) && key == VK_F4) {
        host_.PostQuit();
    }
    if (key != VK_RETURN) {
        return;
    }
    const std::string typed = combo_.Text();
    int current = combo_.ItemIndex();
    combo_.SetDroppedDown(false);
    int top = combo_.TopIndex();
    if (current == -1 && top == 0) {
        // No head-word begins with the typed text: offer to add it.
        AddUnknownWord(typed);
        current = top = combo_.FindPrefix(typed);
    }
    // The typing highlight may already have selected the head-word without
    // putting it into the text; choosing it does both.
    const int chosen = top <= current && current < top + TSearchBox::kVisibleRows ? current : top;
    if (chosen >= 0) {
        combo_.SetItemIndex(chosen);
        combo_.SetText(std::string(combo_.Item(chosen)));
    }
    ComboBox1Change();
    combo_.SetText(typed);
    combo_.SetSelStart(static_cast<int>(typed.size()));
}

void TLookupWindow::AddUnknownWord(const std::string& typed) {
    bool saved = false;
    TWordPlace place;
    host_.OpenNewWordDialog(typed, tabs_.TabIndex(), [&](const TWordPlace& word) {
        saved = true;
        place = word;
        tabs_.SetTabIndex(word.Tab);
        SelectLetter(word.Tab);
        ShowSavedWord(word);
    });
    // The Enter handling goes on to look the typed text up, which finds
    // another head-word when the word was edited in the dialog (or none, for
    // an empty box): the saved one is chosen again once the key is handled.
    if (saved) {
        host_.Defer([this, place] { ShowSavedWord(place); });
    }
}

void TLookupWindow::ShowSavedWord(const TWordPlace& place) {
    if (tabs_.TabIndex() != place.Tab) {
        tabs_.SetTabIndex(place.Tab);
        SelectLetter(place.Tab);
    }
    if (combo_.ItemIndex() != place.Position) {
        combo_.SetItemIndex(place.Position);
        ComboBox1Change();
    }
}

void TLookupWindow::ComboKeyPress(char& key) {
    const auto c = static_cast<std::uint8_t>(key);
    // Control characters (Ctrl+C gives 3) are commands, not typed text, so
    // they must not pick a letter the way a typed first character does.
    if (c == ' ' || (c < ' ' && c != VK_RETURN)) {
        return;
    }
    if (combo_.SelStart() == 0) {
        combo_.SetText({});
        combo_.ClearItems();
        if (c != VK_RETURN) {
            const int tab = dictionary::TabOfChar(c);
            if (dictionary::IsValidTab(tab)) {
                tabs_.SetTabIndex(tab);
            }
        }
        SelectLetter(tabs_.TabIndex());
        ComboBox1Change();
        combo_.RepaintNow();
    }
    if (c >= 33) {
        combo_.SetDroppedDown(true);
    }
}

void TLookupWindow::ComboKeyUp(int& key, TShiftState) {
    if (key != VK_SPACE) {
        return;
    }
    const int shown = tabs_.TabIndex();
    tabs_.SetTabIndex(lastLookup_.Tab);
    // The list must be the selected letter's: a look-up that found nothing
    // leaves another letter's list behind.
    if (tabs_.TabIndex() != shown) {
        SelectLetter(tabs_.TabIndex());
    }
    combo_.SetItemIndex(lastLookup_.Position);
    if (pronounce_.PronounceButtonEnabled()) {
        pronounce_.Pronounce();
    }
}

void TLookupWindow::TabControl1Change() {
    const int tab = tabs_.TabIndex();
    pronounce_.ApplyPronounceAvailability(tab);
    SelectLetter(tab);
    combo_.SetItemIndex(0);
    FocusSearchBox();
    ComboBox1Change();
}

void TLookupWindow::RichEdit1Change() {
    if (!pronounce_.PronounceButtonVisible()) {
        environment_.Beep();
    }
}

void TLookupWindow::RichEdit1DblClick() {
    if (!pronounce_.PronounceButtonVisible()) {
        return;
    }
    if (host_.TranslateCopiedText()) {
        const std::string selected = pane_.SelectedText();
        if (selected.empty()) {
            return;
        }
        FindByShortening(selected);
    }
    BringForwardAndFocus();
}

void TLookupWindow::ClipboardChanged(const QString& firstLine) {
    if (host_.ContinueVisible()) {
        return;
    }
    if (host_.TranslateCopiedText()) {
        const std::string text = ui::ToCodePage(firstLine);
        if (text.find_first_not_of(' ') == std::string::npos) {
            return;
        }
        FindByShortening(text);
    }
    BringForwardAndFocus();
}

void TLookupWindow::BringForwardAndFocus() {
    if (host_.BringForwardOnCopy()) {
        host_.BringForward();
    }
    FocusSearchBox();
}

void TLookupWindow::FocusSearchBox() {
    combo_.TakeFocus();
}

} // namespace lookup
