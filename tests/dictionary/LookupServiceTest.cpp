// The look-up service over small dictionaries written byte for byte: exact
// and prefix searches in letters in and out of head-word order, the look-up
// of outside text with and without a resolver, and the bounds of the
// article read.
#include "dictionary/LookupService.h"
#include "dictionary/Lookup.h"
#include "platform/Cp1251.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <utility>

namespace {

using namespace dictionary;

constexpr int kTabG = 'G' - 'A';
constexpr int kTabH = 'H' - 'A';
constexpr int kTabM = 'M' - 'A';
constexpr int kTabW = 'W' - 'A';
constexpr int kTabK = 26 + 10; // К

// The same words in head-word order on H and shuffled on W's place, so that
// both ways of searching answer the same probes.
const std::vector<std::string> kOrdered = {"Hot",   "hot",       "hot",       "hotel", "House",
                                           "house", "household", "housework", "hut"};

class LookupServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TestDictionary::Word> ordered;
        for (const std::string& word : kOrdered) {
            ordered.push_back({word, "{" + word + "}"});
        }
        dict_.WriteLetter(kTabH, ordered);
        dict_.WriteLetter(kTabG, {{"go", "{go}"}, {"gone", "{gone}"}});
        dict_.WriteLetter(kTabM, {{"microphone", "{microphone}"}});
        dict_.WriteLetter(kTabW, {{"walk", "{walk}"}, {"wall", "{wall}"}, {"wend", "{wend}"}});
        // "къща" before "Къща": not in head-word order.
        dict_.WriteLetter(kTabK,
                          {{"\xea\xfa\xf9\xe0", "{kashta}"}, {"\xca\xfa\xf9\xe0", "{Kashta}"}});
        dict_.FillEmptyLetters();
        index_.Load(dict_.Dir());
    }

    TestDictionary dict_;
    DictionaryIndex index_;
    TLookupService service_{index_};
};

TEST_F(LookupServiceTest, ExactHeadWordsAreMatchedByteForByteTheFirstOfEqualOnes) {
    ASSERT_TRUE(index_.Letter(kTabH).Sorted());
    EXPECT_EQ(service_.FindHeadWord(kTabH, "Hot"), 0);
    EXPECT_EQ(service_.FindHeadWord(kTabH, "hot"), 1) << "the first of two equal head-words";
    EXPECT_EQ(service_.FindHeadWord(kTabH, "house"), 5);
    EXPECT_EQ(service_.FindHeadWord(kTabH, "hut"), 8);
    EXPECT_EQ(service_.FindHeadWord(kTabH, "HOT"), -1) << "case counts";
    EXPECT_EQ(service_.FindHeadWord(kTabH, "hote"), -1) << "a beginning is not enough";
    EXPECT_EQ(service_.FindHeadWord(kTabH, "huts"), -1);
    EXPECT_EQ(service_.FindHeadWord(kTabH, ""), -1);

    ASSERT_FALSE(index_.Letter(kTabK).Sorted());
    EXPECT_EQ(service_.FindHeadWord(kTabK, "\xca\xfa\xf9\xe0"), 1);
    EXPECT_EQ(service_.FindHeadWord(kTabK, "\xea\xfa\xf9\xe0"), 0);

    EXPECT_EQ(service_.FindHeadWord(kNoTab, "hot"), -1);
    EXPECT_EQ(service_.FindHeadWord(kLetterCount, "hot"), -1);
}

TEST_F(LookupServiceTest, PrefixesFindWhatTheLinearRuleFindsInAnyOrder) {
    // The same words out of order, read as another letter.
    TestDictionary shuffled;
    std::vector<TestDictionary::Word> words;
    for (const std::size_t i : {5u, 0u, 8u, 2u, 7u, 1u, 4u, 6u, 3u}) {
        words.push_back({kOrdered[i], "{}"});
    }
    shuffled.WriteLetter(kTabH, words);
    shuffled.FillEmptyLetters();
    DictionaryIndex other;
    other.Load(shuffled.Dir());
    ASSERT_FALSE(other.Letter(kTabH).Sorted());
    const TLookupService otherService(other);

    std::vector<std::string> probes = {
        "",    "x",      "h",      "H",      "ho", "HO",  "hOt",  "hote",  "hotels",
        "hou", "HOUSEH", "housew", "housez", "hu", "hut", "huts", "h\xff", std::string(1, '\0')};
    for (const std::string& word : kOrdered) {
        probes.push_back(word);
        probes.push_back(word + "s");
    }
    for (const std::string& probe : probes) {
        EXPECT_EQ(service_.FindPrefix(kTabH, probe),
                  FindWord(index_.Letter(kTabH).HeadWords(), probe))
            << probe;
        EXPECT_EQ(otherService.FindPrefix(kTabH, probe),
                  FindWord(other.Letter(kTabH).HeadWords(), probe))
            << probe;
    }
    EXPECT_EQ(service_.FindPrefix(kTabH, "HOUSE"), 4) << "the capitalised one comes first";
    EXPECT_EQ(service_.FindPrefix(kTabH, ""), 0) << "an empty text finds the first head-word";
    EXPECT_EQ(service_.FindPrefix(kTabK, "\xca\xfa"), 0) << "Cyrillic case is folded";
    EXPECT_EQ(service_.FindPrefix('Z' - 'A', ""), -1) << "an empty letter";
    EXPECT_EQ(service_.FindPrefix(kNoTab, "h"), -1);
}

// Records what it is asked and knows four forms; "mice" names a head-word
// this dictionary lacks, "at" one of no letter. It suggests "wall" for any
// word it is asked about, and reports a fault when told to.
class FakeResolver : public TWordResolver {
public:
    std::optional<TResolvedWord> Resolve(std::string_view text) override {
        Asked.emplace_back(text);
        const auto known = Forms.find(std::string(text.substr(0, text.find(' '))));
        if (known == Forms.end()) {
            return std::nullopt;
        }
        return known->second;
    }
    std::vector<std::string> Suggest(std::string_view text) override {
        SuggestAsked.emplace_back(text);
        return {"wall", "walk"};
    }
    std::optional<TResolverFault> TakeFault() override { return std::exchange(Fault, {}); }

    std::map<std::string, TResolvedWord> Forms = {
        {"went", {"went", "go", {}}},
        {"houses", {"houses", "house", {}}},
        {"mice", {"mice", "mouse", {}}},
        {"at", {"at", "@", {}}},
    };
    std::vector<std::string> Asked;
    std::vector<std::string> SuggestAsked;
    std::optional<TResolverFault> Fault;
};

class LookupResolverTest : public LookupServiceTest {
protected:
    std::string Found(std::string_view text) const {
        const auto result = service_.FindText(text);
        return result && result->Position >= 0
                   ? std::string(*service_.HeadWordAt(result->Tab, result->Position))
                   : std::string("<none>");
    }
    // Where the text settles, as the window selects it.
    std::pair<int, int> Place(std::string_view text) const {
        const auto result = service_.FindText(text);
        return result ? std::make_pair(result->Tab, result->Position) : std::make_pair(-2, -2);
    }

    FakeResolver resolver_;
};

TEST_F(LookupResolverTest, TheResolverIsAskedForWordsThatAreNoHeadWordBeforeShortening) {
    // Without a resolver: the head-word itself, or the word shortened.
    EXPECT_EQ(Found("went"), "wend");
    EXPECT_EQ(Found("houses"), "House");
    EXPECT_EQ(Found("mice"), "microphone");

    service_.SetResolver(&resolver_);
    const auto went = service_.FindText("  went home");
    ASSERT_TRUE(went);
    EXPECT_EQ(resolver_.Asked, std::vector<std::string>{"went home"})
        << "the text from its first letter on, so that a phrase copied whole is seen";
    EXPECT_EQ(went->Tab, kTabG) << "the resolved head-word's letter";
    EXPECT_EQ(went->Position, 0);
    EXPECT_EQ(went->Word, "went");
    ASSERT_TRUE(went->Resolved);
    EXPECT_EQ(went->Resolved->HeadWord, "go");
    EXPECT_EQ(went->Resolved->From, "went");
    EXPECT_TRUE(went->Suggestions.empty()) << "a form is not misspelt";

    EXPECT_EQ(Found("houses"), "house") << "the resolver comes before shortening";
    resolver_.Asked.clear();
    resolver_.SuggestAsked.clear();
    EXPECT_EQ(Found("WALL"), "wall");
    EXPECT_EQ(Found("hot,"), "Hot");
    EXPECT_EQ(resolver_.Asked, std::vector<std::string>{"hot,"})
        << "not asked for a head-word, whatever its case";
    EXPECT_EQ(resolver_.SuggestAsked, std::vector<std::string>{"hot,"});
    EXPECT_EQ(Found("hou"), "House") << "a beginning it does not know is found as before";
    EXPECT_EQ(Found("mice"), "microphone") << "a head-word the index lacks is passed over";
    EXPECT_EQ(Found("at"), "<none>") << "so is one of no letter";
    EXPECT_FALSE(service_.FindText("hotel")->Resolved);

    service_.SetResolver(nullptr);
    EXPECT_EQ(Found("went"), "wend");
}

TEST_F(LookupResolverTest, EveryHeadWordGivesWhatItGaveAndACaseTwinFindsItself) {
    std::vector<std::pair<std::string, std::pair<int, int>>> today;
    for (const int tab : {kTabG, kTabH, kTabM, kTabW, kTabK}) {
        for (const std::string_view headWord : index_.Letter(tab).HeadWords()) {
            today.emplace_back(std::string(headWord), Place(headWord));
        }
    }
    service_.SetResolver(&resolver_);
    for (const auto& [headWord, place] : today) {
        const auto now = service_.FindText(headWord);
        ASSERT_TRUE(now);
        EXPECT_FALSE(now->Resolved) << headWord;
        EXPECT_TRUE(now->Suggestions.empty()) << headWord;
        const std::string found(*service_.HeadWordAt(now->Tab, now->Position));
        EXPECT_EQ(found, headWord) << "the head-word spelled so";
        if (found == *service_.HeadWordAt(place.first, place.second)) {
            EXPECT_EQ(std::make_pair(now->Tab, now->Position), place) << headWord;
        }
    }
    EXPECT_TRUE(resolver_.Asked.empty()) << "no head-word is a question for word forms";
    // Twins in and out of head-word order: each spelling finds its own.
    EXPECT_EQ(Place("hot"), std::make_pair(kTabH, 1));
    EXPECT_EQ(Place("Hot"), std::make_pair(kTabH, 0));
    EXPECT_EQ(Place("house"), std::make_pair(kTabH, 5));
    EXPECT_EQ(Place("\xca\xfa\xf9\xe0"), std::make_pair(kTabK, 1));
    EXPECT_EQ(Place("HOUSE"), std::make_pair(kTabH, 4)) << "no spelling so: the first in any case";
    EXPECT_EQ(Place("\xca\xda\xd9\xc0"), std::make_pair(kTabK, 0));
}

TEST_F(LookupResolverTest, TextsOfNoWordAskNothingAndALongTextIsCut) {
    service_.SetResolver(&resolver_);
    EXPECT_FALSE(service_.FindText(""));
    EXPECT_FALSE(service_.FindText("    "));
    EXPECT_FALSE(service_.FindText("@home")) << "neither alphabet nor any letter";
    EXPECT_FALSE(service_.FindForm(" "));
    EXPECT_TRUE(resolver_.Asked.empty());

    const std::string longText(10000, 'w');
    const auto found = service_.FindText(longText);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Word, "w") << "shortened down to the one beginning W has";
    ASSERT_EQ(resolver_.Asked.size(), 1u);
    EXPECT_EQ(resolver_.Asked[0].size(), longText.size())
        << "the resolver sees the whole word and refuses it itself";
    EXPECT_EQ(Found(longText), "walk");

    const auto digits = service_.FindText("1984");
    ASSERT_TRUE(digits) << "a digit lands on a Latin letter, as without word forms";
    EXPECT_EQ(digits->Position, -1);
}

TEST_F(LookupResolverTest, FindFormAnswersOnlyForAFormAndAFaultComesOnce) {
    service_.SetResolver(&resolver_);
    const auto went = service_.FindForm("went");
    ASSERT_TRUE(went && went->Resolved);
    EXPECT_EQ(std::make_pair(went->Tab, went->Position), std::make_pair(kTabG, 0));
    const auto hotel = service_.FindForm("Hotel");
    ASSERT_TRUE(hotel);
    EXPECT_FALSE(hotel->Resolved) << "a head-word in any case is no form";
    EXPECT_EQ(std::make_pair(hotel->Tab, hotel->Position), std::make_pair(kTabH, -1));
    EXPECT_TRUE(service_.FindForm("wxyz") && !service_.FindForm("wxyz")->Resolved);

    resolver_.Fault = TResolverFault{"forms/frequency.dat", ENOENT, {}};
    const auto first = service_.FindText("wxyz");
    ASSERT_TRUE(first && first->Fault);
    EXPECT_EQ(first->Fault->File, "forms/frequency.dat");
    EXPECT_FALSE(service_.FindText("wxyz")->Fault);
    resolver_.Fault = TResolverFault{"forms/wordforms.dat", 0, "cut short"};
    EXPECT_TRUE(service_.FindForm("wxyz")->Fault);
}

TEST_F(LookupServiceTest, ArticlesAndHeadWordsAreReadOnlyInsideTheIndex) {
    const auto hotel = service_.ReadArticleChecked(kTabH, 3);
    ASSERT_TRUE(hotel);
    EXPECT_EQ(hotel->Bytes, "{hotel}");
    EXPECT_EQ(hotel->Fault, TArticleFault::None);
    EXPECT_EQ(service_.ReadArticle(kTabK, 1), "{Kashta}");
    EXPECT_EQ(service_.HeadWordAt(kTabH, 8), "hut");
    const int last = static_cast<int>(kOrdered.size());
    for (const auto& [tab, position] : std::vector<std::pair<int, int>>{
             {kTabH, -1}, {kTabH, last}, {kNoTab, 0}, {kLetterCount, 0}, {'Z' - 'A', 0}}) {
        EXPECT_EQ(service_.ReadArticle(tab, position), "") << tab << " " << position;
        EXPECT_FALSE(service_.ReadArticleChecked(tab, position)) << tab << " " << position;
        EXPECT_FALSE(service_.HeadWordAt(tab, position)) << tab << " " << position;
    }
}

} // namespace
