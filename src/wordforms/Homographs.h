#pragma once

#include <span>
#include <string_view>

namespace wordforms {

// Frequent Bulgarian function words whose hunspell-bg stem names another
// word: "хората" is the people (хора), not the dance (хоро); "ми" is the
// pronoun, not a form of "мия". A learner who copies one of them means the
// function word, so such a form takes no stem reading and the look-up goes on
// as for an unknown word. The reading each overrules is kept beside it so
// that the data build can tell when hunspell-bg stops giving it.
struct THomograph {
    std::string_view Form;    // lower case, code page 1251
    std::string_view Reading; // the stem reading that is not taken
};

std::span<const THomograph> Homographs();

// Whether a lower-case Bulgarian form is one of the table's.
bool TakesNoStemReading(std::string_view foldedForm);

} // namespace wordforms
