#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dictool {

// The notation of the pronunciation key: its 48 symbols, the stress marks ˈ
// (primary) and ˌ (secondary) before the stressed syllable, and blanks
// between words. The length mark exists only inside the key's long vowels.
const std::vector<std::string>& KeySymbols();

// One IPA transcription written in the key's notation.
struct KeyTranscription {
    std::string Text;
    bool American = false; // rhotic, or with another sign of American speech
    // How much of the source had to be changed or dropped to fit the key:
    // narrow detail (aspiration, flaps, glottal stops, dark l, diacritics) and
    // sounds of regional accents. 0 for a plain broad transcription.
    int Cost = 0;
    // Signs of a broad British transcription (length marks, ɒ, əʊ, centring
    // diphthongs): the more, the more it reads as the key's own.
    int BritishSigns = 0;
    // Signs of American speech: r after vowels, the flap, the vowels of lot,
    // thought and goat.
    int AmericanSigns = 0;
};

// Converts one transcription (IPA as the sources write it: syllable dots,
// tie bars, optional sounds in brackets, any diacritics) into the key's
// notation.
KeyTranscription ToKeyNotation(std::string_view ipa);

// What an article shows for a source's transcriptions of one entry: one
// British variant first and at most one other after it, the American one
// where the source gives one that differs. Variants that the sources join
// with "~" or "," count one by one. headWord (UTF-8) only weighs variants
// that are otherwise equal against the spelling. Empty when there is
// nothing to show.
std::vector<std::string> KeyTranscriptions(const std::vector<std::string>& ipa,
                                           std::string_view headWord);

} // namespace dictool
