// The interface's rules without widgets: key numbers and symbols, page files,
// compact widths, web addresses, the about texts and the credits' scroll.
#include "interface/InterfaceRules.h"
#include "interface/Credits.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace interface;

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

TEST(KeyRules, ButtonNumbersComeFromTheEndOfTheName) {
    EXPECT_EQ(KeyButtonNumber("trans7"), 7);
    EXPECT_EQ(KeyButtonNumber("trans1"), 1);
    EXPECT_EQ(KeyButtonNumber("trans10"), 10);
    EXPECT_EQ(KeyButtonNumber("trans48"), 48);
    EXPECT_EQ(KeyButtonNumber("trans"), 0);
    EXPECT_EQ(KeyButtonNumber(""), 0);
    EXPECT_EQ(KeySampleFragment(7), "\\trans\\7.mp3");
    EXPECT_EQ(platform::ResolvePath("/data", KeySampleFragment(48)), "/data/trans/48.mp3");
}

TEST(KeyRules, LengthMarksAreDrawnAsColons) {
    std::set<std::string> labels;
    for (int n = 1; n <= kKeyButtonCount; ++n) {
        const std::string label = KeyButtonLabel(n);
        EXPECT_FALSE(label.empty()) << n;
        EXPECT_EQ(label.find("ː"), std::string::npos) << n;
        labels.insert(label);
    }
    EXPECT_EQ(labels.size(), 48u) << "every button shows its own symbol";
    EXPECT_EQ(KeyButtonLabel(1), "i:");
    EXPECT_EQ(KeyButtonLabel(7), "ʌ");
    EXPECT_EQ(KeyButtonLabel(10), "ɔ:");
    EXPECT_EQ(KeyButtonLabel(48), "h");
    EXPECT_EQ(KeySymbol(0), "");
    EXPECT_EQ(KeySymbol(49), "");
}

TEST(PageRules, PagesResolveBelowTheWorkingDirectory) {
    const auto page = [](TPage which, bool english) {
        return platform::ResolvePath("/data", PageFragment(which, english)).string();
    };
    EXPECT_EQ(page(TPage::BulgarianAbbreviations, true), "/data/rtf/bg.rtf");
    EXPECT_EQ(page(TPage::EnglishAbbreviations, false), "/data/rtf/eng.rtf");
    EXPECT_EQ(page(TPage::OrderInfo, false), "/data/rtf/order.rtf");
    EXPECT_EQ(page(TPage::OrderInfo, true), "/data/rtf/orderEn.rtf");
    EXPECT_EQ(platform::ResolvePath("/data", HelpPageFragment(true)), "/data/hlp/helpe.htm");
    EXPECT_EQ(platform::ResolvePath("/data", HelpPageFragment(false)), "/data/hlp/help.htm");
}

TEST(ViewRules, CompactLeavesTheArticleArea) {
    const TViewWidths compact = CompactWidths({612, 521, 505}, 210);
    EXPECT_EQ(compact.TabControl, 311);
    EXPECT_EQ(compact.Combo, 295);
    EXPECT_EQ(compact.Window, 612 - 210) << "the article area is as wide in both views";
}

TEST(WebRules, EveryLinkHasItsOwnSecureAddress) {
    std::set<std::string_view> addresses;
    for (const TWebLink link : {TWebLink::Logo, TWebLink::OnlineDictionary, TWebLink::Downloads,
                                TWebLink::MoreDictionaries}) {
        const std::string_view address = WebAddress(link);
        EXPECT_EQ(address.rfind("https://", 0), 0u) << address;
        addresses.insert(address);
    }
    EXPECT_EQ(addresses.size(), 4u);
    EXPECT_EQ(WebAddress(TWebLink::Logo), "https://freedict.org/");
    EXPECT_EQ(WebAddress(TWebLink::OnlineDictionary), "https://en.wiktionary.org/");
}

TEST(AboutTexts, AboutProgramCountsTheHeadWordsOfTheFolder) {
    const interface::THeadWordCounts counts { 28498, 32573 };
    EXPECT_EQ(Split(AboutProgramText(true, counts), "\n\r"),
              (std::vector<std::string>{"English-Bulgarian resources comprising 28 498 words",
                                        "in entries and phrases .",
                                        "Bulgarian-English resources comprising 32 573 words ",
                                        "in entries and phrases."}));
    const std::vector<std::string> bulgarian = Split(AboutProgramText(false, counts), "\n\r");
    ASSERT_EQ(bulgarian.size(), 4u);
    EXPECT_EQ(bulgarian[0][0], 'A') << "a Latin capital A";
    EXPECT_EQ(bulgarian[0].substr(1), "нглийско-българска база от 28 498 думи");
    EXPECT_EQ(bulgarian[1], "в заглавни статии и в словосъчетания.");
    EXPECT_EQ(bulgarian[2], "Българо-английска база от 32 573 думи ");
    EXPECT_EQ(bulgarian[3], "в основни статии и словосъчетания.");

    EXPECT_EQ(interface::GroupedCount(0), "0");
    EXPECT_EQ(interface::GroupedCount(999), "999");
    EXPECT_EQ(interface::GroupedCount(1000), "1 000");
    EXPECT_EQ(interface::GroupedCount(1234567), "1 234 567");
}

TEST(AboutTexts, CreditsEndEveryLineWithLfCrAndNameTheirSources) {
    for (const bool english : {false, true}) {
        const std::string credits = CreditsText(english);
        const std::vector<std::string> lines = Split(credits, "\n\r");
        EXPECT_EQ(lines.front(), "Marendov Tamir English Dictionary  version 1.0 :");
        EXPECT_EQ(lines[1], "") << "a blank line after the title";
        EXPECT_EQ(lines.back(), "") << "the last line ends too";
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a lone line end";
        }
        for (const char* name :
             {"FreeDict", "WikDict", "CC BY-SA 3.0", "https://freedict.org/", "espeak-ng",
              "GPL-3.0", "LAME", "Qt", "SDL", "mpg123", "libjpeg-turbo", "libmspack"}) {
            EXPECT_NE(credits.find(name), std::string::npos) << name;
        }
        EXPECT_NE(credits.find(english ? "the English–Bulgarian Dictionary developers"
                                       : "разработчиците на Англо-българския речник"),
                  std::string::npos);
    }
}

TEST(CreditsScroller, StartsBelowTheViewportAndComesRoundUpwards) {
    TCreditsScroller scroller;
    scroller.Start(91, 3, 300);
    EXPECT_EQ(scroller.StartPosition(), 98) << "10 below the top of the 3-pixel strip";
    EXPECT_EQ(scroller.EndPosition(), 100 - 300);
    EXPECT_EQ(scroller.Top(), 98);
    EXPECT_EQ(scroller.Direction(), TCreditsScroller::TDirection::Up);
    EXPECT_EQ(scroller.Tick(), 97);
    while (scroller.Top() > scroller.EndPosition() + 1) {
        scroller.Tick();
    }
    EXPECT_EQ(scroller.Tick(), 98) << "reaching the end jumps back to the start";
}

TEST(CreditsScroller, ArrowsReverseAndStopPauses) {
    TCreditsScroller scroller;
    scroller.Start(91, 3, 300);
    scroller.Tick();
    scroller.Tick();
    scroller.Stop();
    EXPECT_FALSE(scroller.Running());
    scroller.UpArrow();
    EXPECT_TRUE(scroller.Running()) << "an arrow resumes";
    EXPECT_EQ(scroller.Direction(), TCreditsScroller::TDirection::Down);
    EXPECT_EQ(scroller.Tick(), 97);
    EXPECT_EQ(scroller.Tick(), -200) << "reaching the start moving down jumps to the end";
    EXPECT_EQ(scroller.Tick(), -199);
    scroller.Stop();
    scroller.DownArrow();
    EXPECT_TRUE(scroller.Running());
    EXPECT_EQ(scroller.Tick(), 98) << "upwards again, the end jumps to the start";
}

} // namespace
