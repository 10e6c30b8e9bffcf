// The look-up service over the whole FreeDict dictionary: for every head-word
// and every beginning of it, in its own case and in others, the search by
// halving finds the position the linear rule finds.
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_map>

namespace {

using namespace dictionary;

const DictionaryIndex& FreeDict() {
    static const DictionaryIndex index = [] {
        DictionaryIndex loaded;
        EXPECT_TRUE(loaded.Load(DICT_TEST_FREEDICT_DIR).Complete());
        return loaded;
    }();
    return index;
}

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(platform::Cp1251Lower(static_cast<std::uint8_t>(c)));
    }
    return result;
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(platform::Cp1251Upper(static_cast<std::uint8_t>(c)));
    }
    return result;
}

// Every other letter turned to upper case, the rest to lower case.
std::string Mixed(std::string_view text) {
    std::string result = Lower(text);
    for (std::size_t i = 0; i < result.size(); i += 2) {
        result[i] = static_cast<char>(platform::Cp1251Upper(static_cast<std::uint8_t>(result[i])));
    }
    return result;
}

// The linear rule for every beginning of every head-word at once: the first
// position, in list order, whose head-word begins with the folded text. One
// pass over the letter instead of one per probe, and no use of the order.
std::unordered_map<std::string, int> FirstPositions(const LetterIndex& letter) {
    std::unordered_map<std::string, int> first;
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        const std::string folded = Lower(letter.HeadWord(p));
        for (std::size_t length = 0; length <= folded.size(); ++length) {
            first.emplace(folded.substr(0, length), static_cast<int>(p));
        }
    }
    return first;
}

TEST(FreeDictLookup, EveryLetterIsInHeadWordOrder) {
    std::size_t words = 0;
    for (int tab = 0; tab < kLetterCount; ++tab) {
        EXPECT_TRUE(FreeDict().Letter(tab).Sorted()) << "letter " << tab;
        words += FreeDict().Letter(tab).Size();
    }
    EXPECT_GT(words, 50000u);
}

TEST(FreeDictLookup, EveryBeginningOfEveryHeadWordIsFoundWhereTheLinearRuleFindsIt) {
    const TLookupService service(FreeDict());
    std::size_t probes = 0;
    for (int tab = 0; tab < kLetterCount; ++tab) {
        const LetterIndex& letter = FreeDict().Letter(tab);
        const auto first = FirstPositions(letter);
        const auto expected = [&first](std::string_view text) {
            const auto known = first.find(Lower(text));
            return known == first.end() ? -1 : known->second;
        };
        // The table is the linear rule: checked against FindWord itself on
        // a spread of probes.
        for (std::size_t p = 0; p < letter.Size(); p += 97) {
            const std::string word(letter.HeadWord(p));
            const std::string half = word.substr(0, (word.size() + 1) / 2);
            ASSERT_EQ(expected(half), FindWord(letter.HeadWords(), half)) << half;
            ASSERT_EQ(expected(word + "q"), FindWord(letter.HeadWords(), word + "q")) << word;
        }
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            const std::string word(letter.HeadWord(p));
            for (std::size_t length = 1; length <= word.size(); ++length) {
                const std::string prefix = word.substr(0, length);
                for (const std::string& probe :
                     {prefix, Lower(prefix), Upper(prefix), Mixed(prefix)}) {
                    ++probes;
                    ASSERT_EQ(service.FindPrefix(tab, probe), expected(probe))
                        << "letter " << tab << ": " << platform::Cp1251ToUtf8(probe);
                }
            }
            // Just past the head-word: found only where a longer one goes on
            // with that character.
            for (const char next : {'\x01', ' ', 'a', 'z', '\xe0', '\xff'}) {
                const std::string longer = word + next;
                ++probes;
                ASSERT_EQ(service.FindPrefix(tab, longer), expected(longer))
                    << "letter " << tab << ": " << platform::Cp1251ToUtf8(longer);
            }
        }
    }
    EXPECT_GT(probes, 1000000u);
}

TEST(FreeDictLookup, EveryHeadWordIsFoundExactlyAtItsFirstPosition) {
    const TLookupService service(FreeDict());
    for (int tab = 0; tab < kLetterCount; ++tab) {
        const LetterIndex& letter = FreeDict().Letter(tab);
        std::unordered_map<std::string, int> first;
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            first.emplace(std::string(letter.HeadWord(p)), static_cast<int>(p));
        }
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            const std::string word(letter.HeadWord(p));
            ASSERT_EQ(service.FindHeadWord(tab, word), first.at(word)) << word;
            for (const std::string& other : {Upper(word), Mixed(word), word + "s"}) {
                const auto known = first.find(other);
                ASSERT_EQ(service.FindHeadWord(tab, other),
                          known == first.end() ? -1 : known->second)
                    << platform::Cp1251ToUtf8(other);
            }
        }
    }
}

} // namespace
