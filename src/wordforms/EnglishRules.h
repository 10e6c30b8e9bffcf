#pragma once

#include <string>
#include <string_view>
#include <vector>

// The regular English inflections undone: plural and third person -s and
// -es, past -ed, -ing, comparative -er and superlative -est, the possessive,
// with their spelling changes (a final e dropped, y turned into i, ie into y,
// the final consonant doubled). Suffixes only: a prefix is never taken off.
namespace wordforms {

// The bases the suffix rules give for a lower-case word, in the order they
// are tried; the caller keeps those that are head-words. Plain stripping of
// -ed, -ing, -er, -est is not tried where it would leave a one-syllable
// base ending in consonant, vowel, consonant: such a base doubles its last
// letter before the ending ("hopping" is hop, "hoping" is hope).
std::vector<std::string> SuffixBases(std::string_view foldedWord);

// Whether form is stem with an inflectional ending, allowing the same
// spelling changes, without the one-syllable guard (compared without regard
// to case). "details" is no inflection of "tail", nor "disappeared" of
// "appear", nor "brothers" of "broth".
bool IsInflectionOf(std::string_view form, std::string_view stem);

} // namespace wordforms
