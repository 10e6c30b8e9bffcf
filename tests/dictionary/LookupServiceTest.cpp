// The look-up service over small dictionaries written byte for byte: exact
// and prefix searches in letters in and out of head-word order, the look-up
// of outside text with and without a resolver, and the bounds of the
// article read.
#include "dictionary/LookupService.h"
#include "dictionary/Lookup.h"
#include "platform/Cp1251.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <map>

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

// Records what it is asked and knows three forms; "mice" names a head-word
// this dictionary lacks.
class FakeResolver : public TWordResolver {
public:
    std::optional<TResolvedWord> Resolve(std::string_view word) const override {
        Asked.emplace_back(word);
        const auto known = Forms.find(std::string(word));
        if (known == Forms.end()) {
            return std::nullopt;
        }
        return known->second;
    }

    std::map<std::string, TResolvedWord> Forms = {
        {"went", {"go", "past tense of go"}},
        {"houses", {"house", "plural"}},
        {"mice", {"mouse", "plural"}},
        {"at", {"@", "no letter"}},
    };
    mutable std::vector<std::string> Asked;
};

TEST_F(LookupServiceTest, TheResolverIsAskedForWordsThatAreNoHeadWordBeforeShortening) {
    const auto found = [this](std::string_view text) {
        const auto result = service_.FindText(text);
        return result && result->Position >= 0
                   ? std::string(*service_.HeadWordAt(result->Tab, result->Position))
                   : std::string("<none>");
    };
    // Without a resolver: the head-word itself, or the word shortened.
    EXPECT_EQ(found("went"), "wend");
    EXPECT_EQ(found("houses"), "House");
    EXPECT_EQ(found("mice"), "microphone");

    FakeResolver resolver;
    service_.SetResolver(&resolver);
    const auto went = service_.FindText("  went home");
    ASSERT_TRUE(went);
    EXPECT_EQ(resolver.Asked, std::vector<std::string>{"went"}) << "the word as cut from the text";
    EXPECT_EQ(went->Tab, kTabG) << "the resolved head-word's letter";
    EXPECT_EQ(went->Position, 0);
    EXPECT_EQ(went->Word, "went");
    ASSERT_TRUE(went->Resolved);
    EXPECT_EQ(went->Resolved->HeadWord, "go");
    EXPECT_EQ(went->Resolved->Note, "past tense of go");

    EXPECT_EQ(found("houses"), "house") << "the resolver comes before shortening";
    resolver.Asked.clear();
    EXPECT_EQ(found("WALL"), "wall");
    EXPECT_EQ(found("hot,"), "Hot");
    EXPECT_EQ(resolver.Asked, std::vector<std::string>{"hot,"})
        << "not asked for a head-word, whatever its case";
    EXPECT_EQ(found("hou"), "House") << "a beginning it does not know is found as before";
    EXPECT_EQ(found("mice"), "microphone") << "a head-word the index lacks is passed over";
    EXPECT_EQ(found("at"), "<none>") << "so is one of no letter";
    const auto plain = service_.FindText("hotel");
    EXPECT_FALSE(plain->Resolved);

    service_.SetResolver(nullptr);
    EXPECT_EQ(found("went"), "wend");
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
