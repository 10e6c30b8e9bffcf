#pragma once

#include "exercises/ExerciseRules.h"
#include "exercises/MainWindowSeams.h"

#include <string>

// Finding a study word in the dictionary through the main window's letter
// tabs and search box, and reading its article, as every exercise does it.
namespace exercises {

// Sets the word's letter tab (dictionary::TabOfWord; an invalid one leaves the
// tab as it is) and
// reads back the tab selected, fills the search box with that letter's
// head-words and selects the first one that begins with the word without
// regard to case. putHeadWordInBox: the box's text is then set to the
// selected head-word, empty when none was found. An empty word finds
// nothing.
TStudyWordHit SelectStudyWord(TLookupSteering& lookup, const std::string& word,
                              bool putHeadWordInBox);

// The RTF bytes of the found head-word's article, read from the letter's base
// or user article file below the start-up directory through the scrambled
// stream. Empty when the hit found nothing.
std::string ReadStudyArticle(const TLookupSteering& lookup, const TStudyWordHit& hit);

} // namespace exercises
