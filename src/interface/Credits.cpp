#include "interface/Credits.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace interface {
namespace {

constexpr std::string_view kTitle = "Marendov Tamir English Dictionary  version 1.0 :";

// Joins lines, each ended by LF CR; an empty line is a blank line.
std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += kLineEnd;
    }
    return text;
}

// The pieces in their order: the title and a blank line, who made the
// dictionary data, one paragraph on each direction of it, where it is
// published and under which licence, who wrote the program, what speaks the
// pronunciations and which libraries the program is built on. The long web
// address is split where a reader expects it, as the text is 160 pixels wide.
std::string EnglishCredits() {
    return Lines({
        kTitle,
        "",
        "Dictionary data: the FreeDict and WikDict contributors.",
        "",
        "English-Bulgarian base: the FreeDict English-Bulgarian dictionary, made by WikDict "
        "from Wiktionary data.",
        "",
        "Bulgarian-English base: the same dictionary's translations, turned round to "
        "Bulgarian head-words.",
        "",
        "LICENCE :",
        "Creative Commons Attribution-ShareAlike 3.0 (CC BY-SA 3.0)",
        "https://freedict.org/",
        "",
        "Program: the English–Bulgarian Dictionary developers.",
        "",
        "Pronunciations: the espeak-ng speech synthesiser (GPL-3.0),",
        "https://github.com/",
        "espeak-ng/espeak-ng",
        "MP3 encoding: LAME (LGPL).",
        "",
        "LIBRARIES :",
        "Qt, SDL, mpg123, libjpeg-turbo, libmspack.",
    });
}

std::string BulgarianCredits() {
    return Lines({
        kTitle,
        "",
        "Речникови данни: сътрудниците на FreeDict и WikDict.",
        "",
        "Англо-българска база: англо-българският речник на FreeDict, съставен от WikDict по "
        "данни от Уикиречник (Wiktionary).",
        "",
        "Българо-английска база: преводите от същия речник, обърнати към български заглавни "
        "думи.",
        "",
        "ЛИЦЕНЗ :",
        "Creative Commons Признание-Споделяне на споделеното 3.0 (CC BY-SA 3.0)",
        "https://freedict.org/",
        "",
        "Програма: разработчиците на Англо-българския речник.",
        "",
        "Произношение: синтезаторът на реч espeak-ng (GPL-3.0),",
        "https://github.com/",
        "espeak-ng/espeak-ng",
        "Кодиране в MP3: LAME (LGPL).",
        "",
        "БИБЛИОТЕКИ :",
        "Qt, SDL, mpg123, libjpeg-turbo, libmspack.",
    });
}

} // namespace

std::string CreditsText(bool english) {
    return english ? EnglishCredits() : BulgarianCredits();
}

std::string GroupedCount(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ' ');
    }
    return digits;
}

std::string AboutProgramText(bool english, THeadWordCounts counts) {
    // The Bulgarian first line begins with a Latin capital A, and both third
    // lines end with a blank, exactly as the window shows them.
    const std::string englishWords = GroupedCount(counts.English);
    const std::string bulgarianWords = GroupedCount(counts.Bulgarian);
    const std::array<std::string, 4> lines =
        english ? std::array<std::string, 4>{
                      "English-Bulgarian resources comprising " + englishWords + " words",
                      "in entries and phrases .",
                      "Bulgarian-English resources comprising " + bulgarianWords + " words ",
                      "in entries and phrases.",
                  }
                : std::array<std::string, 4>{
                      "Aнглийско-българска база от " + englishWords + " думи",
                      "в заглавни статии и в словосъчетания.",
                      "Българо-английска база от " + bulgarianWords + " думи ",
                      "в основни статии и словосъчетания.",
                  };
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) {
            text += kLineEnd;
        }
        text += line;
    }
    return text;
}

void TCreditsScroller::Start(int viewportHeight, int stripHeight, int labelHeight) {
    start_ = viewportHeight - stripHeight + kStartBelowStrip;
    end_ = kEndBase - labelHeight;
    top_ = start_;
    direction_ = TDirection::Up;
}

int TCreditsScroller::Tick() {
    if (direction_ == TDirection::Up) {
        --top_;
        if (top_ <= end_) {
            top_ = start_;
        }
    } else {
        ++top_;
        if (top_ >= start_) {
            top_ = end_;
        }
    }
    return top_;
}

void TCreditsScroller::UpArrow() {
    direction_ = TDirection::Down;
    running_ = true;
}

void TCreditsScroller::DownArrow() {
    direction_ = TDirection::Up;
    running_ = true;
}

void TCreditsScroller::Stop() {
    running_ = false;
}

} // namespace interface
