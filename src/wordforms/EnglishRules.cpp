#include "wordforms/EnglishRules.h"

#include "wordforms/Words.h"

#include <algorithm>

namespace wordforms {

namespace {

bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && !IsVowel(c);
}

int Syllables(std::string_view word) {
    int groups = 0;
    bool inVowels = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool vowel = IsVowel(word[i]) || (word[i] == 'y' && i > 0);
        if (vowel && !inVowels) {
            ++groups;
        }
        inVowels = vowel;
    }
    return groups;
}

// A one-syllable base ending in consonant, vowel, consonant (not w, x or y,
// which never double): "hop", "stop", "big".
bool DoublesBeforeEnding(std::string_view base) {
    const std::size_t n = base.size();
    return n >= 3 && IsConsonant(base[n - 3]) && IsVowel(base[n - 2]) && IsConsonant(base[n - 1]) &&
           base[n - 1] != 'w' && base[n - 1] != 'x' && base[n - 1] != 'y' && Syllables(base) == 1;
}

std::string Cut(std::string_view word, std::size_t count) {
    return std::string(word.substr(0, word.size() - count));
}

// The bases of a word that carries the ending (ed, ing, er, est): plain, with
// a final e restored, y for i, and undoubled.
void EndingBases(std::string_view word, std::string_view ending, bool guard,
                 std::vector<std::string>& bases) {
    const std::size_t n = word.size();
    if (!word.ends_with(ending) || n < ending.size() + 2) {
        return;
    }
    const std::string plain = Cut(word, ending.size());
    if (!guard || !DoublesBeforeEnding(plain)) {
        bases.push_back(plain);
    }
    bases.push_back(plain + 'e');
    if (plain.back() == 'i' && plain.size() >= 2 && IsConsonant(plain[plain.size() - 2])) {
        bases.push_back(Cut(plain, 1) + 'y');
    }
    if (ending == "ing" && plain.ends_with('y') && plain.size() >= 2) {
        bases.push_back(Cut(plain, 1) + "ie");
    }
    const std::size_t p = plain.size();
    if (p >= 3 && plain[p - 1] == plain[p - 2] && IsConsonant(plain[p - 1])) {
        bases.push_back(Cut(plain, 1));
    }
}

std::vector<std::string> Bases(std::string_view word, bool guard) {
    std::vector<std::string> bases;
    const std::size_t n = word.size();
    if (n < 3) {
        return bases;
    }
    if (word.ends_with("'s")) {
        bases.push_back(Cut(word, 2));
    }
    if (word.ends_with("s'")) {
        bases.push_back(Cut(word, 2));
        bases.push_back(Cut(word, 1));
    }
    if (word.ends_with('s') && !word.ends_with("ss") && !word.ends_with("'s")) {
        bases.push_back(Cut(word, 1));
    }
    if (word.ends_with("es") && n >= 4) {
        const std::string stem = Cut(word, 2);
        if (stem.ends_with('s') || stem.ends_with('x') || stem.ends_with('z') ||
            stem.ends_with("ch") || stem.ends_with("sh") || stem.ends_with('o')) {
            bases.push_back(stem);
        }
        const std::size_t s = stem.size();
        if (s >= 3 && stem[s - 1] == stem[s - 2] && (stem[s - 1] == 's' || stem[s - 1] == 'z')) {
            bases.push_back(Cut(stem, 1));
        }
    }
    if (word.ends_with("ies") && n >= 4) {
        bases.push_back(Cut(word, 3) + 'y');
    }
    EndingBases(word, "ed", guard, bases);
    EndingBases(word, "ing", guard, bases);
    EndingBases(word, "er", guard, bases);
    EndingBases(word, "est", guard, bases);
    // A base is tried once, where it first came.
    std::vector<std::string> unique;
    for (std::string& base : bases) {
        if (!base.empty() && std::find(unique.begin(), unique.end(), base) == unique.end()) {
            unique.push_back(std::move(base));
        }
    }
    return unique;
}

} // namespace

std::vector<std::string> SuffixBases(std::string_view foldedWord) {
    return Bases(foldedWord, true);
}

bool IsInflectionOf(std::string_view form, std::string_view stem) {
    const std::string base = Fold(stem);
    const auto bases = Bases(Fold(form), false);
    return std::find(bases.begin(), bases.end(), base) != bases.end();
}

} // namespace wordforms
