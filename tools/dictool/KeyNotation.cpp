#include "dictool/KeyNotation.h"

#include "platform/Cp1251.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

namespace dictool {
namespace {

// One sound of the source, before it is matched to the key.
struct Segment {
    enum Kind { Vowel, Consonant, Stress, Space };
    Kind kind = Consonant;
    std::u32string sound; // the IPA letter; for Stress the mark
    bool isLong = false;
    bool optional = false; // in brackets in the source
};

bool IsIpaVowel(char32_t c) {
    static const std::u32string kVowels = U"iɪeɛæaɐəɚɜɝʌɑɒɔoʊuʉɨɘɵyʏøœɤɯɞᵻ";
    return kVowels.find(c) != std::u32string::npos;
}

bool IsRhotic(char32_t c) {
    return c == U'ɹ' || c == U'r' || c == U'ɻ' || c == U'ʁ' || c == U'ɽ';
}

// The key's consonant for a source consonant, "" to drop it; cost for what
// the key's notation cannot show.
struct ConsonantMapping {
    char32_t From;
    const char* To;
    int Cost;
};

constexpr ConsonantMapping kConsonants[] = {
    {U'p', "p", 0},
    {U'b', "b", 0},
    {U't', "t", 0},
    {U'd', "d", 0},
    {U'k', "k", 0},
    {U'g', "g", 0},
    {U'ɡ', "g", 0},
    {U'f', "f", 0},
    {U'v', "v", 0},
    {U'θ', "θ", 0},
    {U'ð', "ð", 0},
    {U's', "s", 0},
    {U'z', "z", 0},
    {U'ʃ', "ʃ", 0},
    {U'ʒ', "ʒ", 0},
    {U'h', "h", 0},
    {U'm', "m", 0},
    {U'n', "n", 0},
    {U'ŋ', "ŋ", 0},
    {U'l', "l", 0},
    {U'j', "j", 0},
    {U'w', "w", 0},
    {U'ɹ', "r", 0},
    {U'r', "r", 0},
    // Allophones of English phonemes: dark l, the flap of American t, the
    // glottal stop for t, retroflex and dental stops of other accents.
    {U'ɫ', "l", 3},
    {U'ɾ', "t", 8},
    {U'ʔ', "t", 8},
    {U'ʈ', "t", 8},
    {U'ɖ', "d", 8},
    {U'ɳ', "n", 8},
    {U'ɻ', "r", 3},
    {U'ʋ', "v", 8},
    {U'ʍ', "hw", 3},
    {U'ɱ', "m", 2},
    {U'ɲ', "nj", 5},
    {U'ʎ', "lj", 5},
    // Sounds of other languages, as an English speaker says them.
    {U'x', "h", 5},
    {U'χ', "h", 5},
    {U'ç', "h", 5},
    {U'ɦ', "h", 5},
    {U'β', "v", 5},
    {U'ɸ', "f", 5},
    {U'ʁ', "r", 5},
    {U'ɽ', "r", 5},
    {U'ʝ', "j", 5},
    {U'ɣ', "g", 5},
    {U'q', "k", 5},
    {U'c', "k", 5},
    {U'ʟ', "l", 5},
    {U'ɬ', "l", 5},
    {U'ʲ', "j", 2},
};

const ConsonantMapping* FindConsonant(char32_t c) {
    for (const ConsonantMapping& mapping : kConsonants) {
        if (mapping.From == c) {
            return &mapping;
        }
    }
    return nullptr;
}

// A run of source vowels and the key's vowels for it. "I" and "U" stand for
// an i or u that is long when stressed: the sources' American transcriptions
// write no length marks, so their stressed i is the key's iː.
struct VowelMapping {
    const char32_t* From; // the IPA letters, ':' for a length mark
    const char* To;       // key symbols separated by blanks
    int Cost;
};

constexpr VowelMapping kVowels[] = {
    // Triphthongs.
    {U"aɪə", "aiə", 0},
    {U"aʊə", "auə", 0},
    {U"eɪə", "eiə", 0},
    {U"ɑɪə", "aiə", 0},
    {U"ɑʊə", "auə", 0},
    // Diphthongs.
    {U"eɪ", "ei", 0},
    {U"ei", "ei", 0},
    {U"ɛɪ", "ei", 1},
    {U"æɪ", "ei", 4},
    {U"ɐɪ", "ei", 4},
    {U"aɪ", "ai", 0},
    {U"ai", "ai", 0},
    {U"ɑɪ", "ai", 0},
    {U"ɑe", "ai", 4},
    {U"əɪ", "ai", 5},
    {U"ɔɪ", "ɔi", 0},
    {U"oɪ", "ɔi", 0},
    {U"ɔi", "ɔi", 0},
    {U"aʊ", "au", 0},
    {U"au", "au", 0},
    {U"ɑʊ", "au", 0},
    {U"æʊ", "au", 4},
    {U"ʌʊ", "au", 5},
    {U"əʊ", "ou", 0},
    {U"oʊ", "ou", 0},
    {U"ou", "ou", 0},
    {U"əʉ", "ou", 4},
    {U"ɐʉ", "ou", 4},
    {U"ɵʊ", "ou", 4},
    {U"ɛə", "ɛə", 0},
    {U"eə", "ɛə", 0},
    {U"ɛ:", "ɛə", 0},
    {U"e:", "ɛə", 2},
    {U"ɪə", "iə", 0},
    {U"iə", "iə", 0},
    {U"ɪ:", "iə", 1},
    {U"ʊə", "uə", 0},
    {U"uə", "uə", 0},
    {U"ɔə", "ɔə", 0},
    {U"oə", "ɔə", 0},
    // Long vowels.
    {U"i:", "iː", 0},
    {U"ɜ:", "əː", 0},
    {U"ə:", "əː", 0},
    {U"ɝ:", "əː", 0},
    {U"ɑ:", "aː", 0},
    {U"a:", "aː", 1},
    {U"ɐ:", "aː", 4},
    {U"ɔ:", "ɔː", 0},
    {U"o:", "ɔː", 2},
    {U"ɒ:", "ɔː", 1},
    {U"u:", "uː", 0},
    {U"ʉ:", "uː", 4},
    {U"ɵ:", "əː", 5},
    {U"ø:", "əː", 5},
    {U"y:", "uː", 5},
    // Short vowels.
    {U"i", "I", 0},
    {U"ɪ", "i", 0},
    {U"ᵻ", "i", 0},
    {U"ɨ", "i", 1},
    {U"ɘ", "i", 4},
    {U"e", "e", 0},
    {U"ɛ", "e", 0},
    {U"æ", "æ", 0},
    {U"a", "æ", 1},
    {U"ɐ", "A", 1},
    {U"ə", "ə", 0},
    {U"ɜ", "E", 0},
    {U"ɝ", "əː", 0},
    {U"ʌ", "ʌ", 0},
    {U"ɑ", "aː", 0},
    {U"ɒ", "ɔ", 0},
    {U"ɔ", "ɔː", 0},
    {U"o", "ɔ", 2},
    {U"ʊ", "u", 0},
    {U"u", "U", 0},
    {U"ʉ", "U", 4},
    {U"ɵ", "ə", 5},
    {U"y", "U", 5},
    {U"ʏ", "u", 5},
    {U"ø", "ə", 5},
    {U"œ", "ə", 5},
    {U"ɞ", "ə", 5},
    {U"ɤ", "ʌ", 5},
    {U"ɯ", "u", 5},
};

// An American r after a vowel and before a consonant or the word's end makes
// the key's long vowel or centring diphthong before the r.
constexpr std::pair<const char*, const char*> kBeforeR[] = {{"i", "iə"}, {"I", "iə"}, {"e", "ɛə"},
                                                            {"u", "uə"}, {"U", "uə"}, {"ɔ", "ɔː"},
                                                            {"ə", "E"},  {"ʌ", "E"}};

// Sequences of consonants that may begin an English syllable: a stress mark
// goes before the longest of them that ends where the stressed vowel begins.
const std::set<std::string>& Onsets() {
    static const std::set<std::string> onsets = {
        "pl", "pr", "pj", "bl",  "br",  "bj",  "tr",  "tj",  "tw",  "dr",  "dj",  "dw", "kl",
        "kr", "kj", "kw", "gl",  "gr",  "gj",  "gw",  "fl",  "fr",  "fj",  "vj",  "θr", "θj",
        "θw", "ʃr", "sp", "st",  "sk",  "sm",  "sn",  "sl",  "sw",  "sf",  "sj",  "mj", "nj",
        "lj", "hj", "zj", "spl", "spr", "spj", "str", "stj", "skr", "skw", "skj", "skl"};
    return onsets;
}

struct Token {
    Segment::Kind kind = Segment::Consonant;
    std::string text; // a key symbol, a stress mark or a blank
};

class Converter {
public:
    // derivedBritish: the British form of an American transcription, for
    // entries whose source gives no other: no r after a vowel, and lot's
    // vowel as British speech has it (headWord tells which).
    Converter(std::string_view ipa, bool derivedBritish, std::string_view headWord)
        : derived_(derivedBritish), headWord_(headWord) {
        Segments(ipa);
        if (derived_) {
            american_ = false;
        }
    }

    KeyTranscription Convert() {
        KeyTranscription result;
        result.American = american_;
        Tokens();
        PlaceStress();
        Lengthen();
        for (const Token& token : tokens_) {
            result.Text += token.text;
        }
        result.Cost = cost_;
        result.BritishSigns = britishSigns_;
        result.AmericanSigns = americanSigns_;
        return result;
    }

private:
    void Segments(std::string_view ipa) {
        std::size_t pos = 0;
        bool optional = false;
        while (pos < ipa.size()) {
            const auto decoded = platform::DecodeUtf8(ipa, pos);
            if (!decoded) {
                ++pos;
                cost_ += 10;
                continue;
            }
            const char32_t c = *decoded;
            if (c == U'(') {
                optional = true;
            } else if (c == U')') {
                optional = false;
            } else if (c == U'ˈ' || c == U'ˌ' || c == U'\'') {
                segments_.push_back({Segment::Stress, c == U'ˌ' ? U"ˌ" : U"ˈ"});
            } else if (c == U' ') {
                if (!segments_.empty() && segments_.back().kind != Segment::Space) {
                    segments_.push_back({Segment::Space, U" "});
                }
            } else if (c == U'ː' || c == U':') {
                if (!segments_.empty() && segments_.back().kind == Segment::Vowel) {
                    segments_.back().isLong = true;
                }
            } else if (c == U'.' || c == U'‿' || c == U'-' || c == U'|' || c == U'ᵊ' ||
                       c == 0x0361 || c == 0x035C || c == 0x0329 || c == 0x030D || c == 0x032F) {
                // Syllable breaks, links, tie bars, syllabic and non-syllabic
                // marks: the key's symbols hold all of this already.
            } else if (c == U'ɚ' || c == U'ɝ' || c == U'˞') {
                american_ = true;
                if (c != U'˞') {
                    segments_.push_back({Segment::Vowel, c == U'ɚ' ? U"ə" : U"ɜ", c == U'ɝ'});
                }
                segments_.push_back({Segment::Consonant, U"ɹ", false, false});
            } else if (IsIpaVowel(c)) {
                segments_.push_back({Segment::Vowel, std::u32string(1, c), false, optional});
            } else if (const char32_t base = Decomposed(c); base != 0) {
                segments_.push_back({Segment::Vowel, std::u32string(1, base), false, optional});
                cost_ += 2;
            } else if (FindConsonant(c) != nullptr) {
                segments_.push_back({Segment::Consonant, std::u32string(1, c), false, optional});
            } else if ((c >= 0x0300 && c <= 0x036F) || c == U'ʰ' || c == U'ʷ' || c == U'ˠ' ||
                       c == U'ˤ' || c == U'ⁿ' || c == U'ˀ' || c == U'ʼ' || c == U'ˑ' || c == U'˔' ||
                       (c >= 0x02E5 && c <= 0x02E9) || c == U'~') {
                cost_ += 1;
            } else {
                cost_ += 10;
            }
        }
        while (!segments_.empty() && segments_.back().kind == Segment::Space) {
            segments_.pop_back();
        }
        Classify();
    }

    // Precomposed vowels with a diacritic the key cannot show.
    static char32_t Decomposed(char32_t c) {
        switch (c) {
        case U'ä':
        case U'ã':
        case U'ă':
            return U'a';
        case U'ĩ':
            return U'i';
        case U'ẽ':
            return U'e';
        case U'õ':
        case U'ŏ':
        case U'ō':
        case U'ö':
            return U'o';
        case U'ũ':
            return U'u';
        default:
            return 0;
        }
    }

    bool VowelAt(std::size_t i) const {
        return i < segments_.size() && segments_[i].kind == Segment::Vowel;
    }

    // The next segment that is a sound, past stress marks (and blanks,
    // where an r links a word to the next).
    std::size_t NextSound(std::size_t i, bool acrossWords = false) const {
        ++i;
        while (i < segments_.size() && (segments_[i].kind == Segment::Stress ||
                                        (acrossWords && segments_[i].kind == Segment::Space))) {
            ++i;
        }
        return i;
    }

    // An r after a vowel that no vowel follows: only rhotic speech says it.
    bool EndsSyllable(std::size_t r) const { return !VowelAt(NextSound(r, true)); }

    void Classify() {
        for (std::size_t i = 0; i < segments_.size(); ++i) {
            const Segment& s = segments_[i];
            const char32_t c = s.sound.empty() ? 0 : s.sound[0];
            if (s.kind == Segment::Vowel) {
                const bool next = VowelAt(i + 1);
                const char32_t after = next ? segments_[i + 1].sound[0] : 0;
                // Length marks and centring diphthongs weigh most: broad
                // British transcriptions have them where accents differ.
                if (s.isLong || (next && after == U'ə' && (c == U'ɪ' || c == U'ɛ' || c == U'ʊ'))) {
                    britishSigns_ += 2;
                }
                if (c == U'ɒ' || (c == U'ə' && after == U'ʊ')) {
                    ++britishSigns_;
                }
                // The American vowels of lot and thought, and of goat.
                if ((!s.isLong && !next && (c == U'ɑ' || c == U'ɔ') &&
                     (i == 0 || !VowelAt(i - 1))) ||
                    (c == U'o' && after == U'ʊ')) {
                    american_ = true;
                    ++americanSigns_;
                }
            } else if (s.kind == Segment::Consonant && !s.optional) {
                if (c == U'ɾ' || (IsRhotic(c) && i > 0 && VowelAt(i - 1) && EndsSyllable(i))) {
                    american_ = true;
                    ++americanSigns_;
                }
            }
        }
    }

    void Push(Segment::Kind kind, const std::string& text) { tokens_.push_back({kind, text}); }

    void Tokens() {
        for (std::size_t i = 0; i < segments_.size();) {
            const Segment& s = segments_[i];
            if (s.kind == Segment::Stress || s.kind == Segment::Space) {
                std::string text;
                platform::AppendUtf8(text, s.sound[0]);
                Push(s.kind, text);
                ++i;
            } else if (s.kind == Segment::Consonant) {
                i = Consonant(i);
            } else {
                i = Vowels(i);
            }
        }
    }

    std::size_t Consonant(std::size_t i) {
        const Segment& s = segments_[i];
        const char32_t c = s.sound[0];
        // A bracketed r is the British linking r: it stays only in the
        // American variant.
        if (IsRhotic(c) && ((s.optional && !american_) || (derived_ && EndsSyllable(i)))) {
            return i + 1;
        }
        const ConsonantMapping* mapping = FindConsonant(c);
        cost_ += mapping->Cost;
        std::string to = mapping->To;
        // t͡ʃ and d͡ʒ, with or without their tie bar, are one symbol each.
        const bool affricate = (to == "t" || to == "d") && i + 1 < segments_.size() &&
                               segments_[i + 1].kind == Segment::Consonant &&
                               segments_[i + 1].sound[0] == (to == "t" ? U'ʃ' : U'ʒ');
        if (affricate) {
            Push(Segment::Consonant, to == "t" ? "tʃ" : "dʒ");
            return i + 2;
        }
        // "hw" and "nj" are two of the key's symbols.
        for (std::size_t at = 0; at < to.size();) {
            std::size_t next = at;
            platform::DecodeUtf8(to, next);
            Push(Segment::Consonant, to.substr(at, next - at));
            at = next;
        }
        return i + 1;
    }

    std::size_t Vowels(std::size_t i) {
        std::size_t end = i;
        while (VowelAt(end)) {
            ++end;
        }
        std::u32string run;
        for (std::size_t k = i; k < end; ++k) {
            run += segments_[k].sound;
            if (segments_[k].isLong) {
                run += U':';
            }
        }
        std::size_t used = 0;
        while (used < run.size()) {
            const VowelMapping* best = nullptr;
            std::size_t bestLength = 0;
            for (const VowelMapping& mapping : kVowels) {
                const std::u32string_view from(mapping.From);
                // The ə of a triphthong belongs to əʊ or əɪ when one follows.
                const std::size_t end = used + from.size();
                const bool takesNext =
                    from.size() == 3 && end < run.size() &&
                    std::u32string_view(U"ʊɪui").find(run[end]) != std::u32string_view::npos;
                if (from.size() > bestLength && !takesNext &&
                    run.compare(used, from.size(), from) == 0) {
                    best = &mapping;
                    bestLength = from.size();
                }
            }
            if (best == nullptr) {
                // A length mark no vowel of the key takes.
                ++used;
                cost_ += 1;
                continue;
            }
            cost_ += best->Cost;
            used += bestLength;
            std::string to = best->To;
            // Before an r that ends the syllable, in the American variant.
            const std::size_t after = NextSound(end - 1);
            const bool rEnds = used == run.size() && after < segments_.size() &&
                               segments_[after].kind == Segment::Consonant &&
                               IsRhotic(segments_[after].sound[0]) &&
                               (american_ || derived_ || !segments_[after].optional) &&
                               EndsSyllable(after);
            if (derived_ && !rEnds && std::u32string_view(best->From) == U"ɑ") {
                to = LotVowel();
            }
            if (rEnds) {
                for (const auto& [from, toR] : kBeforeR) {
                    if (to == from) {
                        to = toR;
                    }
                }
            }
            Push(Segment::Vowel, to);
        }
        return end;
    }

    bool IsConsonant(std::size_t t) const {
        return t < tokens_.size() && tokens_[t].kind == Segment::Consonant;
    }

    // A stress mark written just before the vowel (as generated
    // transcriptions do) moves to the start of its syllable.
    void PlaceStress() {
        for (std::size_t t = 0; t < tokens_.size(); ++t) {
            const bool beforeVowel =
                t + 1 < tokens_.size() && tokens_[t + 1].kind == Segment::Vowel;
            if (tokens_[t].kind != Segment::Stress || t == 0 || !IsConsonant(t - 1) ||
                !beforeVowel) {
                continue;
            }
            std::size_t start = t;
            while (start > 0 && IsConsonant(start - 1)) {
                --start;
            }
            // The longest legal onset among the consonants before the mark.
            std::size_t onset = t - 1;
            for (std::size_t from = start; from < t - 1; ++from) {
                std::string cluster;
                for (std::size_t k = from; k < t; ++k) {
                    cluster += tokens_[k].text;
                }
                if (Onsets().contains(cluster)) {
                    onset = from;
                    break;
                }
            }
            if (tokens_[t - 1].text == "ŋ") {
                continue;
            }
            const Token mark = tokens_[t];
            tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(t));
            tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(onset), mark);
        }
    }

    // I and U become long in a stressed syllable: after a stress mark, or
    // the only vowel of a word without one. A stands for ɐ: ʌ stressed, ə
    // not; E for the vowel of bird without a length mark, əː stressed.
    void Lengthen() {
        std::size_t wordStart = 0;
        for (std::size_t t = 0; t <= tokens_.size(); ++t) {
            if (t < tokens_.size() && tokens_[t].kind != Segment::Space) {
                continue;
            }
            int vowels = 0;
            bool marked = false;
            for (std::size_t k = wordStart; k < t; ++k) {
                vowels += tokens_[k].kind == Segment::Vowel ? 1 : 0;
                marked = marked || tokens_[k].kind == Segment::Stress;
            }
            bool stressed = !marked && vowels == 1;
            for (std::size_t k = wordStart; k < t; ++k) {
                Token& token = tokens_[k];
                if (token.kind == Segment::Stress) {
                    stressed = true;
                    continue;
                }
                if (token.kind != Segment::Vowel) {
                    continue;
                }
                if (token.text == "I") {
                    token.text = stressed ? "iː" : "i";
                } else if (token.text == "U") {
                    token.text = stressed ? "uː" : "u";
                } else if (token.text == "A") {
                    token.text = stressed ? "ʌ" : "ə";
                } else if (token.text == "E") {
                    token.text = stressed ? "əː" : "ə";
                }
                stressed = false;
            }
            wordStart = t + 1;
        }
    }

    // American speech has one vowel for lot and for father; British speech
    // says ɔ where the spelling has an o or a after w (want, quality).
    std::string LotVowel() const {
        std::string letters;
        for (const char c : headWord_) {
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const bool rounded =
            letters.find('o') != std::string::npos || letters.find("wa") != std::string::npos;
        return rounded ? "ɔ" : "aː";
    }

    std::vector<Segment> segments_;
    std::vector<Token> tokens_;
    const bool derived_;
    const std::string_view headWord_;
    bool american_ = false;
    int cost_ = 0;
    int britishSigns_ = 0;
    int americanSigns_ = 0;
};

// The letters a key consonant is usually spelt with.
const char* Spellings(const std::string& symbol) {
    static const std::pair<const char*, const char*> kLetters[] = {
        {"p", "p"},   {"b", "b"},   {"t", "t"},  {"d", "d"},   {"k", "kcqx"}, {"g", "gx"},
        {"f", "fph"}, {"v", "vf"},  {"θ", "th"}, {"ð", "th"},  {"s", "scxz"}, {"z", "zsx"},
        {"ʃ", "sch"}, {"ʒ", "sgz"}, {"tʃ", "c"}, {"dʒ", "jg"}, {"m", "m"},    {"n", "nk"},
        {"ŋ", "n"},   {"r", "r"},   {"l", "l"},  {"h", "h"},   {"j", "yiu"},  {"w", "wuo"}};
    for (const auto& [key, letters] : kLetters) {
        if (symbol == key) {
            return letters;
        }
    }
    return "";
}

// How many of a transcription's consonants can be found in the spelling in
// the same order: variants that swap or add sounds agree less.
int SpellingAgreement(std::string_view key, std::string_view headWord) {
    std::vector<std::string> consonants;
    for (std::size_t pos = 0; pos < key.size();) {
        const std::size_t start = pos;
        platform::DecodeUtf8(key, pos);
        std::string symbol(key.substr(start, pos - start));
        if (std::string_view(Spellings(symbol)).empty()) {
            continue;
        }
        // tʃ and dʒ are one symbol.
        if ((symbol == "t" || symbol == "d") &&
            key.substr(pos).starts_with(symbol == "t" ? "ʃ" : "ʒ")) {
            platform::DecodeUtf8(key, pos);
            symbol += symbol == "t" ? "ʃ" : "ʒ";
        }
        consonants.push_back(symbol);
    }
    std::string letters;
    for (const char c : headWord) {
        letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    // The longest common subsequence of the two.
    std::vector<int> row(letters.size() + 1, 0);
    for (const std::string& symbol : consonants) {
        const std::string_view spellings = Spellings(symbol);
        int diagonal = 0;
        for (std::size_t j = 1; j <= letters.size(); ++j) {
            const int up = row[j];
            row[j] = spellings.find(letters[j - 1]) != std::string_view::npos
                         ? diagonal + 1
                         : std::max(row[j], row[j - 1]);
            diagonal = up;
        }
    }
    // Consonants the spelling does not have count against.
    return 2 * row.back() - static_cast<int>(consonants.size());
}

// The edit distance between two texts, code point by code point.
std::size_t Distance(std::string_view a, std::string_view b) {
    std::u32string x;
    std::u32string y;
    for (auto [text, out] : {std::pair{a, &x}, std::pair{b, &y}}) {
        for (std::size_t pos = 0; pos < text.size();) {
            if (const auto c = platform::DecodeUtf8(text, pos)) {
                *out += *c;
            } else {
                ++pos;
            }
        }
    }
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t up = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row.back();
}

// An American variant whose source needed more changes than this is left out.
constexpr int kMaxSecondCost = 4;

// Whether a variant is only part of a word, as "-saɪ" beside "ˈæbəkaɪ".
bool IsFragment(std::string_view variant) {
    return variant.starts_with('-') || variant.ends_with('-') || variant.starts_with("…");
}

// The variants of a source transcription: "a ~ b" and "a, b" are two.
// Fragments count only where nothing else is given.
std::vector<std::string> Variants(const std::vector<std::string>& ipa) {
    std::vector<std::string> variants;
    for (const std::string& text : ipa) {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '~' || text[i] == ',') {
                std::string part = text.substr(start, i - start);
                part.erase(0, part.find_first_not_of(' '));
                part.erase(part.find_last_not_of(' ') + 1);
                if (!part.empty()) {
                    variants.push_back(part);
                }
                start = i + 1;
            }
        }
    }
    if (!std::all_of(variants.begin(), variants.end(), IsFragment)) {
        std::erase_if(variants, IsFragment);
    }
    return variants;
}

} // namespace

const std::vector<std::string>& KeySymbols() {
    static const std::vector<std::string> symbols = {
        "iː", "i",  "e",  "æ",  "ə",  "əː", "ʌ",  "aː", "ɔ",  "ɔː",  "u",   "uː",
        "ei", "ai", "ɔi", "au", "ou", "ɛə", "iə", "uə", "ɔə", "auə", "aiə", "eiə",
        "j",  "w",  "p",  "b",  "t",  "d",  "k",  "g",  "θ",  "ð",   "s",   "z",
        "f",  "v",  "ʃ",  "tʃ", "ʒ",  "dʒ", "m",  "n",  "ŋ",  "r",   "l",   "h"};
    return symbols;
}

KeyTranscription ToKeyNotation(std::string_view ipa) {
    return Converter(ipa, false, {}).Convert();
}

std::vector<std::string> KeyTranscriptions(const std::vector<std::string>& ipa,
                                           std::string_view headWord) {
    struct Candidate {
        KeyTranscription Key;
        int Signs = 0;            // of its own group's speech
        std::size_t Distance = 0; // to all the variants together
        int Agreement = 0;        // with the spelling
        std::size_t Order = 0;
    };
    std::vector<Candidate> candidates;
    const std::vector<std::string> variants = Variants(ipa);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        Candidate candidate{ToKeyNotation(variants[i]), 0, 0, 0, i};
        if (candidate.Key.Text.empty()) {
            continue;
        }
        candidate.Signs = candidate.Key.American
                              ? candidate.Key.AmericanSigns - candidate.Key.BritishSigns
                              : candidate.Key.BritishSigns;
        candidate.Agreement = SpellingAgreement(candidate.Key.Text, headWord);
        candidates.push_back(std::move(candidate));
    }
    // A variant that most others resemble is the common one, not an accent's.
    for (Candidate& candidate : candidates) {
        for (const Candidate& other : candidates) {
            candidate.Distance += Distance(candidate.Key.Text, other.Key.Text);
        }
    }
    // The broadest transcription first; among equals the one with most signs
    // of its kind of speech, the closest to the spelling (not another form of
    // the word), the most common, then the source's order.
    const auto better = [](const Candidate& a, const Candidate& b) {
        return std::tuple(a.Key.Cost, -a.Signs, -a.Agreement, a.Distance, a.Order) <
               std::tuple(b.Key.Cost, -b.Signs, -b.Agreement, b.Distance, b.Order);
    };
    const auto bestOf = [&](bool american) {
        const Candidate* best = nullptr;
        for (const Candidate& candidate : candidates) {
            if (candidate.Key.American == american &&
                (best == nullptr || better(candidate, *best))) {
                best = &candidate;
            }
        }
        return best;
    };
    const Candidate* british = bestOf(false);
    const Candidate* american = bestOf(true);
    std::vector<std::string> shown;
    if (british != nullptr) {
        shown.push_back(british->Key.Text);
    } else if (american != nullptr) {
        std::string derived = Converter(variants[american->Order], true, headWord).Convert().Text;
        if (!derived.empty()) {
            shown.push_back(std::move(derived));
        }
    }
    // An American variant only as a broad transcription of its own.
    if (american != nullptr && (american->Key.Cost <= kMaxSecondCost || british == nullptr) &&
        (shown.empty() || american->Key.Text != shown.front())) {
        shown.push_back(american->Key.Text);
    }
    return shown;
}

} // namespace dictool
