#include "lookup/LookupWindow.h"
#include "dictionary/Letters.h"
#include "platform/Cp1251.h"
#include "tests/dictionary/TestDictionary.h"
#include "ui/Environment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The look-up rules over stand-ins for the letter tabs, the search box and
// the article pane: the keys' effects are checked without any widget.
namespace {

using namespace lookup;

constexpr int kTabH = 'H' - 'A';
constexpr int kTabW = 'W' - 'A';
constexpr int kTabK = 26 + 10; // К
constexpr int kTabI = 26 + 8;  // И
constexpr int kTabS = 26 + 17; // С

struct FakeTabs : TLetterTabs {
    int Tab = 0;
    int TabIndex() const override { return Tab; }
    int SetTabIndex(int index) override {
        if (dictionary::IsValidTab(index)) {
            Tab = index;
        }
        return Tab;
    }
};

struct FakeBox : TSearchBox {
    std::vector<std::string_view> Items;
    int Index = -1;
    int Top = 0;
    int Caret = 0;
    bool Dropped = false;
    std::string Typed;

    void SetItems(const std::vector<std::string_view>& items) override {
        Items = items;
        Index = -1;
        Top = 0;
        Typed.clear();
    }
    void ClearItems() override { SetItems({}); }
    int Count() const override { return static_cast<int>(Items.size()); }
    std::string_view Item(int index) const override { return Items.at(index); }
    int ItemIndex() const override { return Index; }
    void SetItemIndex(int index) override {
        Index = index >= 0 && index < Count() ? index : -1;
        Typed = Index >= 0 ? std::string(Items[Index]) : std::string();
    }
    int TopIndex() const override { return Top; }
    void SetDroppedDown(bool dropped) override { Dropped = dropped; }
    int SelStart() const override { return Caret; }
    void SetSelStart(int position) override { Caret = position; }
    std::string Text() const override { return Typed; }
    void SetText(const std::string& text) override { Typed = text; }
    int FindPrefix(std::string_view word) const override {
        for (int i = 0; i < Count(); ++i) {
            if (platform::StartsWithNoCase(Items[i], word)) {
                return i;
            }
        }
        return -1;
    }
    void RepaintNow() override {}
    void TakeFocus() override {}
};

// New content replaces the line above it, as in the real pane.
struct FakePane : TArticlePane {
    std::string Article;
    QStringList Lines;
    std::string Selection;
    std::vector<TNotePart> Note;
    void LoadArticle(std::string_view bytes) override {
        Article = bytes;
        Note.clear();
    }
    void Clear() override {
        Article.clear();
        Note.clear();
    }
    void ShowHintLines(const QStringList& lines) override {
        Lines = lines;
        Note.clear();
    }
    void ShowNote(const std::vector<TNotePart>& parts) override { Note = parts; }
    std::string SelectedText() const override { return Selection; }

    // The line as it reads, and the head-words it links.
    QString NoteText() const {
        QString text;
        for (const TNotePart& part : Note) {
            text += part.Text;
        }
        return text;
    }
    std::vector<std::string> NoteLinks() const {
        std::vector<std::string> links;
        for (const TNotePart& part : Note) {
            if (!part.HeadWord.empty()) {
                links.push_back(part.HeadWord);
            }
        }
        return links;
    }
};

struct FakeHost : TLookupHost, ui::TPronounceButton {
    bool PronounceEnabled = false;
    bool Translate = true;
    bool BringForwardOption = true;
    bool PageShown = false;
    bool English = false;
    // The pane's line when the new-word dialog opened.
    const FakePane* Pane = nullptr;
    std::vector<QString> NotesAtDialog;
    int Pronounced = 0;
    int Quits = 0;
    int BroughtForward = 0;
    std::vector<std::pair<std::string, int>> NewWords;
    // What the new-word dialog saves, if anything.
    std::optional<TWordPlace> Saves;
    std::vector<std::function<void()>> Deferred;

    bool PronounceButtonEnabled() const override { return PronounceEnabled; }
    void SetPronounceButtonEnabled(bool enabled) override { PronounceEnabled = enabled; }
    bool PronounceButtonVisible() const override { return !PageShown; }
    void ApplyPronounceAvailability(int tab) override {
        PronounceEnabled = dictionary::IsEnglishTab(tab);
    }
    void Pronounce() override { ++Pronounced; }
    void OpenNewWordDialog(const std::string& word, int tab,
                           const std::function<void(const TWordPlace&)>& saved) override {
        NewWords.emplace_back(word, tab);
        NotesAtDialog.push_back(Pane != nullptr ? Pane->NoteText() : QString());
        if (Saves) {
            saved(*Saves);
        }
    }
    void Defer(std::function<void()> step) override { Deferred.push_back(std::move(step)); }
    void PostQuit() override { ++Quits; }
    bool TranslateCopiedText() const override { return Translate; }
    bool BringForwardOnCopy() const override { return BringForwardOption; }
    bool ContinueVisible() const override { return PageShown; }
    void BringForward() override { ++BroughtForward; }
    bool EnglishInterface() const override { return English; }
};

class LookupWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dict_.WriteLetter(kTabH, {{"hot", "{hot}"}, {"hotel", "{hotel}"}, {"house", "{house}"}});
        dict_.WriteLetter(kTabW, {{"walk", "{walk}"}, {"wall", "{wall}"}});
        dict_.WriteLetter(kTabK, {{"\xea\xfa\xf9\xe0", "{kashta}"}});
        dict_.WriteLetter(kTabI, {{"\xe8", "{i}"}});
        // стопанин, стопанство
        dict_.WriteLetter(kTabS, {{"\xf1\xf2\xee\xef\xe0\xed\xe8\xed", "{stopanin}"},
                                  {"\xf1\xf2\xee\xef\xe0\xed\xf1\xf2\xe2\xee", "{stopanstvo}"}});
        dict_.FillEmptyLetters();
        index_.Load(dict_.Dir());
        window_.SelectLetter(tabs_.TabIndex());
    }

    void Type(char c) {
        window_.ComboKeyPress(c);
        box_.Typed += c;
        box_.Caret = static_cast<int>(box_.Typed.size());
    }
    void Key(int key, TShiftState shift = {}) { window_.ComboKeyDown(key, shift); }

    TestDictionary dict_;
    dictionary::DictionaryIndex index_;
    dictionary::TLookupService dictionary_{index_};
    FakeTabs tabs_;
    FakeBox box_;
    FakePane pane_;
    FakeHost host_;
    ui::TEnvironment environment_;
    TLookupWindow window_{dictionary_, tabs_, box_, pane_, host_, host_, environment_};
};

TEST_F(LookupWindowTest, TheFirstTypedCharacterPicksTheLetterAndCtrlStepsThroughIt) {
    Type('h');
    EXPECT_EQ(tabs_.Tab, kTabH);
    ASSERT_EQ(box_.Count(), 3);
    EXPECT_TRUE(host_.PronounceEnabled);

    Key(VK_CONTROL, TShiftState(ssCtrl));
    EXPECT_EQ(box_.Index, 0);
    EXPECT_EQ(pane_.Article, "{hot}");
    Key(VK_CONTROL, TShiftState(ssCtrl));
    Key(VK_CONTROL, TShiftState(ssCtrl));
    EXPECT_EQ(pane_.Article, "{house}");
    Key(VK_CONTROL, TShiftState(ssCtrl));
    EXPECT_EQ(box_.Index, -1) << "past the last head-word nothing is selected";

    char ctrlC = 3;
    window_.ComboKeyPress(ctrlC);
    EXPECT_EQ(tabs_.Tab, kTabH) << "a control character is a command, not a letter";
}

TEST_F(LookupWindowTest, EnterShowsTheHighlightedWordOrOffersToAddAnUnknownOne) {
    Type('w');
    box_.Typed = "wal";
    box_.Index = 1; // the typing highlight, not yet in the text
    Key(VK_RETURN);
    EXPECT_EQ(pane_.Article, "{wall}");
    EXPECT_EQ(box_.Text(), "wal") << "the typed text is put back";
    EXPECT_EQ(box_.Caret, 3);
    EXPECT_TRUE(host_.NewWords.empty());

    box_.SetItemIndex(-1);
    box_.Typed = "wxyz";
    Key(VK_RETURN);
    ASSERT_EQ(host_.NewWords.size(), 1u);
    EXPECT_EQ(host_.NewWords[0], std::make_pair(std::string("wxyz"), kTabW));
}

// The dialog saved "hotel" (as if the word had been edited there) into H while
// the W list was shown: the box takes H's list at once and shows the word,
// and chooses it again once the Enter handling that looked the typed text up
// is over.
TEST_F(LookupWindowTest, AWordSavedFromEnterIsShownAtOnceAndChosenAgainAfterTheKey) {
    Type('w');
    box_.SetItemIndex(-1);
    box_.Typed = "wxyz";
    host_.Saves = TWordPlace{kTabH, 1};
    Key(VK_RETURN);
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(pane_.Article, "{hotel}") << "shown the moment it was saved";
    ASSERT_EQ(host_.Deferred.size(), 1u);

    // What the rest of the key's handling may leave: another selection.
    box_.SetItemIndex(0);
    pane_.Article.clear();
    host_.Deferred[0]();
    EXPECT_EQ(box_.Index, 1);
    EXPECT_EQ(box_.Text(), "hotel");
    EXPECT_EQ(pane_.Article, "{hotel}");

    // Already shown: nothing is loaded again.
    pane_.Article.clear();
    host_.Deferred[0]();
    EXPECT_TRUE(pane_.Article.empty());

    // Nothing saved: nothing deferred.
    host_.Saves.reset();
    box_.SetItemIndex(-1);
    box_.Typed = "hzz";
    Key(VK_RETURN);
    EXPECT_EQ(host_.Deferred.size(), 1u);
}

TEST_F(LookupWindowTest, SpaceBringsBackTheLastLookUpAndPronouncesIt) {
    Type('h');
    box_.SetItemIndex(1);
    window_.ComboBox1Change();
    tabs_.SetTabIndex(kTabW);
    box_.SetItemIndex(-1);
    int space = VK_SPACE;
    window_.ComboKeyUp(space, {});
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(box_.Index, 1);
    EXPECT_EQ(host_.Pronounced, 1);

    int altF4 = VK_F4;
    window_.ComboKeyDown(altF4, TShiftState(ssAlt));
    EXPECT_EQ(host_.Quits, 1);
}

TEST_F(LookupWindowTest, CopiedTextIsLookedUpOnlyOutsidePageModeAndWhenSwitchedOn) {
    window_.ClipboardChanged(QStringLiteral("  walking, fast"));
    EXPECT_EQ(tabs_.Tab, kTabW);
    EXPECT_EQ(pane_.Article, "{walk}");
    EXPECT_EQ(host_.BroughtForward, 1);

    host_.PageShown = true;
    window_.ClipboardChanged(QStringLiteral("hotel"));
    EXPECT_EQ(tabs_.Tab, kTabW) << "a page occupies the pane";

    host_.PageShown = false;
    host_.Translate = false;
    window_.ClipboardChanged(QStringLiteral("hotel"));
    EXPECT_EQ(tabs_.Tab, kTabW);
    EXPECT_EQ(host_.BroughtForward, 2) << "the window still comes forward";

    host_.Translate = true;
    window_.ClipboardChanged(QStringLiteral("   "));
    EXPECT_EQ(host_.BroughtForward, 2) << "blanks are not looked up";
}

TEST_F(LookupWindowTest, StressMarksAndAccentedLettersDoNotShortenTheWord) {
    // Articles mark the stress with a combining accent the code page lacks.
    window_.ClipboardChanged(QStringLiteral("стопа\u0301нство,"));
    EXPECT_EQ(tabs_.Tab, kTabS);
    EXPECT_EQ(pane_.Article, "{stopanstvo}") << "not cut to \"стопа\" and its first head-word";

    window_.ClipboardChanged(QStringLiteral("\u045D")); // ѝ
    EXPECT_EQ(tabs_.Tab, kTabI);
    EXPECT_EQ(pane_.Article, "{i}");
}

TEST_F(LookupWindowTest, SpaceAfterACopiedOrDoubleClickedWordBringsBackThatWord) {
    Type('h');
    Key(VK_CONTROL, TShiftState(ssCtrl)); // hot
    const auto space = [&] {
        // The space replaces the chosen word, which was wholly selected.
        box_.Typed = " ";
        window_.ComboBox1Change();
        int key = VK_SPACE;
        window_.ComboKeyUp(key, {});
    };

    window_.ClipboardChanged(QStringLiteral("walls"));
    EXPECT_EQ(window_.LastLookup().Tab, kTabW);
    space();
    EXPECT_EQ(tabs_.Tab, kTabW);
    EXPECT_EQ(box_.Text(), "wall");
    EXPECT_EQ(box_.Items, index_.Letter(kTabW).HeadWords()) << "the list is the tab's own";
    EXPECT_EQ(host_.Pronounced, 1);

    pane_.Selection = "hotels";
    window_.RichEdit1DblClick();
    space();
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(box_.Text(), "hotel");
    EXPECT_EQ(host_.Pronounced, 2);

    // A copied word no head-word begins with leaves the last look-up; Space
    // brings it back with its own letter's list.
    window_.ClipboardChanged(QStringLiteral("xylophone"));
    EXPECT_EQ(tabs_.Tab, 'X' - 'A');
    space();
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(box_.Text(), "hotel");
    EXPECT_EQ(box_.Items, index_.Letter(kTabH).HeadWords());
}

TEST_F(LookupWindowTest, AStudyWordSelectsItsLetterAndHeadWord) {
    window_.ShowWord("\xca\xfa\xf9"); // Кът
    EXPECT_EQ(tabs_.Tab, kTabK);
    EXPECT_EQ(box_.Index, 0);
    EXPECT_EQ(pane_.Article, "{kashta}");
    EXPECT_FALSE(host_.PronounceEnabled) << "Bulgarian words are not pronounced";

    window_.ShowWord("hotx");
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(box_.Index, -1);
}

// Word forms and suggestions, as a stand-in resolver gives them: "houses" is
// a form of "house", "къщата" of "къща", "hotels" of "hotel" with "house" as
// a phrase that begins with it; "hoose" and "wxyz" are misspelt.
struct FakeResolver : dictionary::TWordResolver {
    std::optional<dictionary::TResolvedWord> Resolve(std::string_view text) override {
        std::string word(text.substr(0, text.find(' ')));
        while (!word.empty() && word.back() == ',') {
            word.pop_back();
        }
        if (word == "houses") {
            return dictionary::TResolvedWord{word, "house", {}};
        }
        if (word == "\xea\xfa\xf9\xe0\xf2\xe0") {
            return dictionary::TResolvedWord{word, "\xea\xfa\xf9\xe0", {}};
        }
        if (word == "hotels") {
            return dictionary::TResolvedWord{word, "hotel", {"house"}};
        }
        return std::nullopt;
    }
    std::vector<std::string> Suggest(std::string_view text) override {
        if (text.starts_with("hoose")) {
            return {"house", "hot"};
        }
        if (text.starts_with("wxyz")) {
            return {"walk", "wall"};
        }
        return {};
    }
    std::optional<dictionary::TResolverFault> TakeFault() override {
        return std::exchange(Fault, {});
    }
    std::optional<dictionary::TResolverFault> Fault;
};

class LookupWordFormsTest : public LookupWindowTest {
protected:
    void SetUp() override {
        LookupWindowTest::SetUp();
        dictionary_.SetResolver(&resolver_);
        host_.Pane = &pane_;
    }
    void TearDown() override { dictionary_.SetResolver(nullptr); }
    std::string Chosen() const { return std::string(box_.Item(box_.Index)); }

    FakeResolver resolver_;
};

TEST_F(LookupWordFormsTest, ACopiedFormShowsItsBaseWithALineThatSaysSo) {
    host_.English = true;
    window_.ClipboardChanged(QStringLiteral("houses,"));
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(Chosen(), "house") << "the base head-word is selected in the box";
    EXPECT_EQ(box_.Text(), "house");
    EXPECT_EQ(pane_.Article, "{house}");
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("houses → house"));
    EXPECT_TRUE(pane_.NoteLinks().empty());
    EXPECT_EQ(window_.LastLookup().Position, 2) << "Space brings the base back";

    host_.English = false;
    window_.ClipboardChanged(QStringLiteral("къщата"));
    EXPECT_EQ(tabs_.Tab, kTabK);
    EXPECT_EQ(pane_.Article, "{kashta}");
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("къщата → къща"));

    window_.ClipboardChanged(QStringLiteral("hotel"));
    EXPECT_EQ(pane_.Article, "{hotel}");
    EXPECT_TRUE(pane_.Note.empty()) << "a head-word copied exactly: no line";

    pane_.Selection = "houses";
    window_.RichEdit1DblClick();
    EXPECT_EQ(pane_.Article, "{house}");
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("houses → house")) << "double-click alike";
}

TEST_F(LookupWordFormsTest, APhraseThatBeginsWithTheFormIsOneClickAway) {
    host_.English = true;
    window_.ClipboardChanged(QStringLiteral("hotels"));
    EXPECT_EQ(pane_.Article, "{hotel}");
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("hotels → hotel   See also: house"));
    ASSERT_EQ(pane_.NoteLinks(), std::vector<std::string>{"house"});
    window_.RichEdit1NoteClick("house");
    EXPECT_EQ(pane_.Article, "{house}");
    EXPECT_EQ(Chosen(), "house");
    EXPECT_EQ(pane_.NoteLinks(), std::vector<std::string>{"house"}) << "the line stays";
}

TEST_F(LookupWordFormsTest, SuggestionsForAMisspeltWordLookUpOnAClick) {
    window_.ClipboardChanged(QStringLiteral("hoose"));
    EXPECT_EQ(pane_.Article, "{hot}") << "find by shortening, unchanged";
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("Може би: house, hot"));
    EXPECT_EQ(pane_.NoteLinks(), (std::vector<std::string>{"house", "hot"}));
    host_.English = true;
    window_.ClipboardChanged(QStringLiteral("hoose"));
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("Did you mean: house, hot"));

    tabs_.SetTabIndex(kTabW);
    window_.SelectLetter(kTabW);
    window_.RichEdit1NoteClick("house");
    EXPECT_EQ(tabs_.Tab, kTabH);
    EXPECT_EQ(Chosen(), "house");
    EXPECT_EQ(pane_.Article, "{house}");
    EXPECT_EQ(window_.LastLookup().Position, 2);
    EXPECT_EQ(pane_.NoteLinks(), (std::vector<std::string>{"house", "hot"}))
        << "the other suggestions stay a click away";
    window_.RichEdit1NoteClick("hot");
    EXPECT_EQ(pane_.Article, "{hot}");

    host_.PageShown = true;
    window_.RichEdit1NoteClick("house");
    EXPECT_EQ(pane_.Article, "{hot}") << "a page occupies the pane: nothing is looked up";
}

TEST_F(LookupWordFormsTest, EnterOnAFormChoosesItsBaseAndOnAnUnknownWordSuggestsThenOffersToAddIt) {
    host_.English = true;
    Type('h');
    box_.Typed = "houses";
    box_.Index = -1;
    Key(VK_RETURN);
    EXPECT_EQ(Chosen(), "house");
    EXPECT_EQ(box_.Text(), "house") << "the base, selected, not the typed form";
    EXPECT_EQ(pane_.Article, "{house}");
    EXPECT_EQ(pane_.NoteText(), QStringLiteral("houses → house"));
    EXPECT_TRUE(host_.NewWords.empty());

    box_.Caret = 0;
    Type('w');
    box_.SetItemIndex(-1);
    box_.Typed = "wxyz";
    Key(VK_RETURN);
    ASSERT_EQ(host_.NewWords.size(), 1u) << "the dialog still opens";
    EXPECT_EQ(host_.NewWords[0].first, "wxyz");
    EXPECT_EQ(host_.NotesAtDialog[0], QStringLiteral("Did you mean: walk, wall"))
        << "shown before the dialog";
    EXPECT_EQ(pane_.NoteLinks(), (std::vector<std::string>{"walk", "wall"}))
        << "and still there when it closes without a word";
    EXPECT_EQ(box_.Text(), "wxyz");

    box_.SetItemIndex(-1);
    box_.Typed = "wa";
    box_.Index = 0;
    Key(VK_RETURN);
    EXPECT_EQ(pane_.Article, "{walk}") << "a beginning of head-words: as before";
    EXPECT_TRUE(pane_.Note.empty());
    EXPECT_EQ(box_.Text(), "wa");
}

TEST_F(LookupWordFormsTest, EnterOnSeveralWordsFindsOrAddsThemAsTyped) {
    Type('h');
    box_.SetItemIndex(-1);
    box_.Typed = "houses of parliament";
    Key(VK_RETURN);
    ASSERT_EQ(host_.NewWords.size(), 1u);
    EXPECT_EQ(host_.NewWords[0].first, "houses of parliament");
    EXPECT_TRUE(host_.NotesAtDialog[0].isEmpty());
}

TEST_F(LookupWordFormsTest, MissingWordFormsAreSaidOnceAndTheLookUpGoesOn) {
    host_.English = true;
    resolver_.Fault = dictionary::TResolverFault{"/data/forms/frequency.dat", ENOENT, {}};
    window_.ClipboardChanged(QStringLiteral("walks"));
    EXPECT_EQ(pane_.Article, "{walk}") << "today's rule";
    EXPECT_TRUE(pane_.NoteText().startsWith(QStringLiteral("Word forms and suggestions are off.")))
        << pane_.NoteText().toStdString();
    EXPECT_TRUE(pane_.NoteText().contains(QStringLiteral("/data/forms/frequency.dat")));
    window_.ClipboardChanged(QStringLiteral("walks"));
    EXPECT_TRUE(pane_.Note.empty()) << "once";

    host_.English = false;
    resolver_.Fault = dictionary::TResolverFault{"/data/forms/wordforms.dat", 0, "cut short"};
    Type('w');
    box_.Typed = "wal";
    box_.Index = 1;
    Key(VK_RETURN);
    EXPECT_EQ(pane_.Article, "{wall}");
    EXPECT_EQ(pane_.NoteText(),
              QStringLiteral("Формите на думите и предложенията са изключени. Файлът "
                             "„/data/forms/wordforms.dat“ е повреден (cut short)."));
}

} // namespace
