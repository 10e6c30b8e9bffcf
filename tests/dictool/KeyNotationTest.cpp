// The sources' IPA written in the pronunciation key's notation.
#include "dictool/KeyNotation.h"

#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using dictool::KeyTranscriptions;
using dictool::ToKeyNotation;

std::string Key(const char* ipa) {
    return ToKeyNotation(ipa).Text;
}

// Whether text can be read as a row of the key's symbols, stress marks and
// blanks, in any of the ways its shared letters allow (ei+əː, eiə+ː).
bool InKeyNotation(const std::string& text) {
    std::vector<std::string> symbols = dictool::KeySymbols();
    symbols.insert(symbols.end(), {"ˈ", "ˌ", " "});
    std::vector<bool> reached(text.size() + 1, false);
    reached[0] = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (const std::string& symbol : symbols) {
            if (reached[at] && text.compare(at, symbol.size(), symbol) == 0) {
                reached[at + symbol.size()] = true;
            }
        }
    }
    return reached[text.size()];
}

TEST(KeyNotation, BritishIpaBecomesTheKeysSymbols) {
    EXPECT_EQ(Key("haʊs"), "haus");
    EXPECT_EQ(Key("ɹɪˈsɜːtʃ"), "riˈsəːtʃ") << "ɪ is the key's short i, ɹ its r";
    EXPECT_EQ(Key("ˈhæpi"), "ˈhæpi") << "an unstressed i stays short";
    EXPECT_EQ(Key("ɡəʊ"), "gou");
    EXPECT_EQ(Key("hɒt"), "hɔt");
    EXPECT_EQ(Key("kɑː"), "kaː");
    EXPECT_EQ(Key("bʊk"), "buk");
    EXPECT_EQ(Key("ˈfaɪ.ə"), "ˈfaiə") << "one syllable, whatever the source's dots say";
    EXPECT_EQ(Key("ˈpleɪə(ɹ)"), "ˈpleiə") << "the linking r is British speech's only r";
    EXPECT_EQ(Key("hɪə(ɹ)"), "hiə");
    EXPECT_EQ(Key("ˌɪn.təˈnæʃ.(ə.)n(ə)l"), "ˌintəˈnæʃənəl") << "optional vowels are kept";
    EXPECT_EQ(Key("ˈt͡ʃɜːtʃ"), "ˈtʃəːtʃ");
    EXPECT_EQ(Key("ˈlɪtl̩"), "ˈlitl") << "a syllabic l is the key's l";
    EXPECT_EQ(Key("ˈvɛɹi"), "ˈveri") << "an r before a vowel is no American sign";
    EXPECT_FALSE(ToKeyNotation("ˈvɛɹi").American);
    EXPECT_EQ(ToKeyNotation("ˈfɪʃ").Cost, 0);
}

TEST(KeyNotation, StressMarksStandBeforeTheirSyllable) {
    // Generated transcriptions put the mark before the vowel.
    EXPECT_EQ(Key("pˈeɪpəbˌak"), "ˈpeipəˌbæk");
    EXPECT_EQ(Key("aʊtpˈɔːɹɪŋ"), "autˈpɔːriŋ") << "tp begins no English syllable";
    EXPECT_EQ(Key("ɛkstɹˈiːm"), "ekˈstriːm") << "str does";
    EXPECT_EQ(Key("ˌɪn.tɚˈnæʃ(ə)n(ə)l"), "ˌintərˈnæʃənəl") << "a mark before a consonant stays";
}

TEST(KeyNotation, AmericanIpaKeepsItsRAndLongVowels) {
    const auto car = ToKeyNotation("kɑɹ");
    EXPECT_EQ(car.Text, "kaːr");
    EXPECT_TRUE(car.American);
    EXPECT_EQ(Key("t͡ʃiz"), "tʃiːz") << "American transcriptions write no length marks";
    EXPECT_EQ(Key("ˈbiˌkipɚ"), "ˈbiːˌkiːpər");
    EXPECT_EQ(Key("bɝd"), "bəːrd");
    EXPECT_EQ(Key("ˈpɝdʒəɹəɹ"), "ˈpəːrdʒərər");
    EXPECT_EQ(Key("hɪɹ"), "hiər");
    EXPECT_EQ(Key("ɡoʊ"), "gou");
    EXPECT_EQ(Key("hɑt"), "haːt");
    EXPECT_TRUE(ToKeyNotation("hɑt").American);
    EXPECT_TRUE(ToKeyNotation("ˈbɛɾɚ").American);
    EXPECT_GT(ToKeyNotation("ˈbɛɾɚ").Cost, 4) << "the flap is narrow detail";
}

TEST(KeyNotation, NarrowAndForeignDetailIsDroppedAtACost) {
    for (const char* ipa : {"ˈlɪtʰɫ̩", "ˈbɛʔɚ", "ˌmɔ̃ɹeɪˈæl", "woːʔɐ", "lɒx", "ˈʋɔːʈə(r)", "ʍɛn",
                            "ˈbɛtʰɚ", "ɡɐʉ", "ˈdäːɾə", "tʰə̥ˈmeɪɾoʊ", "kʷɪk", "ˈxʲæ˨"}) {
        const auto key = ToKeyNotation(ipa);
        EXPECT_TRUE(InKeyNotation(key.Text)) << ipa << " -> " << key.Text;
        EXPECT_GT(key.Cost, 0) << ipa;
    }
    EXPECT_EQ(Key("ˈlɪtʰɫ̩"), "ˈlitl");
    EXPECT_TRUE(InKeyNotation(Key("teiɜː"))) << "ei then əː, not eiə then a lone length mark";
    EXPECT_EQ(Key("lɒx"), "lɔh");
    EXPECT_EQ(Key("ʍɛn"), "hwen");
}

TEST(KeyTranscriptions, OneBritishVariantFirstAndAtMostAnAmericanOne) {
    EXPECT_EQ(KeyTranscriptions({"haʊs", "hʌʊs"}, "house"), std::vector<std::string>{"haus"});
    EXPECT_EQ(KeyTranscriptions({"ˈwoːtə", "ˈwɑtɚ", "ˈwɒtə", "ˈwɔːtə", "ˈwɑɾɚ"}, "water"),
              (std::vector<std::string>{"ˈwɔːtə", "ˈwaːtər"}));
    EXPECT_EQ(KeyTranscriptions({"ˈaʊə(ɹ)", "ˈaʊɚ"}, "hour"),
              (std::vector<std::string>{"ˈauə", "ˈauər"}));
    EXPECT_EQ(KeyTranscriptions({"ˈbʊtə", "ˈbʌtə", "ˈbʌtɚ", "ˈbɐtʰə", "ˈbʌɾɚ"}, "butter"),
              (std::vector<std::string>{"ˈbʌtə", "ˈbʌtər"}))
        << "the variant most others resemble";
    EXPECT_EQ(KeyTranscriptions({"ˈɑːks", "ˈɑːsk", "ˈæsk"}, "ask"),
              (std::vector<std::string>{"ˈaːsk"}))
        << "among equals, the one closest to the spelling";
    EXPECT_EQ(KeyTranscriptions({"baθ~bæθ", "bɑːθ"}, "bath"), std::vector<std::string>{"baːθ"});
    EXPECT_EQ(KeyTranscriptions({"t͡ʃiz", "t͡ʃiːz"}, "cheese"), std::vector<std::string>{"tʃiːz"})
        << "the same in the key's notation";
    EXPECT_EQ(KeyTranscriptions({"ˈlɪtl̩", "ˈlɪɾɫ̩"}, "little"), std::vector<std::string>{"ˈlitl"})
        << "no American variant made only of narrow detail";
    EXPECT_TRUE(KeyTranscriptions({}, "x").empty());
}

TEST(KeyTranscriptions, AnAmericanSourceAloneGetsItsBritishFormFirst) {
    EXPECT_EQ(KeyTranscriptions({"ˈpʌblɪʃɚ"}, "publisher"),
              (std::vector<std::string>{"ˈpʌbliʃə", "ˈpʌbliʃər"}));
    EXPECT_EQ(KeyTranscriptions({"əˈstɹɑnəmi"}, "astronomy"),
              (std::vector<std::string>{"əˈstrɔnəmi", "əˈstraːnəmi"}));
    EXPECT_EQ(KeyTranscriptions({"ˈfɑðɚ"}, "father"),
              (std::vector<std::string>{"ˈfaːðə", "ˈfaːðər"}));
    EXPECT_EQ(KeyTranscriptions({"wɑt͡ʃ"}, "watch"), (std::vector<std::string>{"wɔtʃ", "waːtʃ"}));
    EXPECT_EQ(KeyTranscriptions({"ˌdaʊn.ɾəˈɚθ"}, "down-to-earth").front(), "ˌdauntəˈəːθ")
        << "shown even when it needed many changes";
}

} // namespace
