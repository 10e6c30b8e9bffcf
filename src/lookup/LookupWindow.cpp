#include "lookup/LookupWindow.h"

#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Environment.h"
#include "ui/FileMessages.h"

namespace lookup {

namespace {

// A typed text of one word; several are a phrase, to be found or added as
// typed.
bool IsOneWord(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return false;
    }
    const std::size_t end = text.find_last_not_of(' ');
    return text.substr(start, end - start + 1).find(' ') == std::string_view::npos;
}

void AppendHeadWords(std::vector<TNotePart>& parts, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) {
            parts.push_back({QStringLiteral(", "), {}});
        }
        parts.push_back({ui::FromCodePage(words[i]), words[i]});
    }
}

QString FaultText(const dictionary::TResolverFault& fault, ui::TLanguage language) {
    const QString why =
        fault.Errno != 0
            ? ui::FileErrorMessage(
                  platform::TFileError{fault.File, platform::TFileOperation::Open, fault.Errno},
                  language)
            : ui::Phrase(ui::TPhrase::FormsFileDamaged, language)
                  .arg(QString::fromStdString(fault.File.string()),
                       QString::fromStdString(fault.Detail));
    return ui::Phrase(ui::TPhrase::WordFormsOff, language).arg(why);
}

} // namespace

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
    if (const auto found = dictionary_.FindText(text)) {
        ShowFound(*found);
    }
}

void TLookupWindow::ShowFound(const dictionary::TTextLookup& found) {
    tabs_.SetTabIndex(found.Tab);
    // The letter tab changed: a Bulgarian word found from an English article
    // cannot be pronounced, an English one from a Bulgarian article can.
    pronounce_.ApplyPronounceAvailability(found.Tab);
    SelectLetter(found.Tab);
    if (found.Position >= 0) {
        combo_.SetItemIndex(found.Position);
        // Space and the pronunciation bring back what was shown last.
        RememberLastLookup();
        ShowSelectedArticle();
    }
    ShowNote(found);
}

void TLookupWindow::ShowNote(const dictionary::TTextLookup& found) {
    const ui::TLanguage language = ui::LanguageOf(host_.EnglishInterface());
    std::vector<TNotePart> parts;
    if (found.Fault) {
        parts.push_back({FaultText(*found.Fault, language), {}});
    } else if (found.Resolved) {
        parts.push_back({ui::Phrase(ui::TPhrase::FormResolved, language)
                             .arg(ui::FromCodePage(found.Resolved->From),
                                  ui::FromCodePage(found.Resolved->HeadWord)),
                         {}});
        if (!found.Resolved->Phrases.empty()) {
            parts.push_back({ui::Phrase(ui::TPhrase::AlsoPhrases, language), {}});
            AppendHeadWords(parts, found.Resolved->Phrases);
        }
    } else if (!found.Suggestions.empty()) {
        parts.push_back({ui::Phrase(ui::TPhrase::DidYouMean, language), {}});
        AppendHeadWords(parts, found.Suggestions);
    }
    note_ = std::move(parts);
    pane_.ShowNote(note_);
}

void TLookupWindow::RichEdit1NoteClick(const std::string& headWord) {
    if (!pronounce_.PronounceButtonVisible()) {
        return;
    }
    const int tab = dictionary::TabOfWord(headWord);
    const int position = dictionary_.FindHeadWord(tab, headWord);
    if (position < 0) {
        return;
    }
    // The line stays, so that the other words it offers are a click away too.
    const std::vector<TNotePart> note = note_;
    ShowFound({tab, position, headWord, {}, {}, {}});
    note_ = note;
    pane_.ShowNote(note_);
    FocusSearchBox();
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
    const bool oneWord = IsOneWord(typed);
    const auto form = oneWord ? dictionary_.FindForm(typed) : std::nullopt;
    if (ChooseForm(form)) {
        return;
    }
    int top = combo_.TopIndex();
    if (current == -1 && top == 0) {
        // No head-word begins with the typed text: offer to add it, with the
        // head-words it may be a misspelling of in view above the article.
        if (oneWord) {
            dictionary::TTextLookup close;
            close.Suggestions = dictionary_.Suggest(typed);
            ShowNote(close);
        }
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
    if (form && form->Fault) {
        ShowNote(*form);
    }
}

bool TLookupWindow::ChooseForm(const std::optional<dictionary::TTextLookup>& form) {
    if (!form || !form->Resolved) {
        return false;
    }
    // The base head-word is chosen in the box, as if typed: its article and
    // the line that says which form led to it.
    ShowFound(*form);
    pronounce_.SetPronounceButtonEnabled(dictionary::IsEnglishTab(form->Tab));
    return true;
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
