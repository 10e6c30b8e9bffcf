// The pronunciation key against what the default data folder shows and
// speaks: every symbol of an article's transcription is one the key or its
// pages explain.
#include "dictionary/Lookup.h"
#include "dictool/Abbreviations.h"
#include "dictool/ArticleWriter.h"
#include "rtf/RtfReader.h"
#include "tests/wavegen/Mp3Decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRunDir = DICT_RUN_DIR;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct KeyLine {
    std::string Symbol;
    std::string Description;
};

// The lines of the key: the symbol between the no-break space that pads the
// line and the two after it, then the description up to its dash.
std::vector<KeyLine> KeyLines() {
    const std::string text = rtf::RtfToPlainText(FileBytes(kRunDir / "rtf/trans.rtf"));
    const std::string pad = "\u00a0";
    const std::string dash = " \u2014 ";
    std::vector<KeyLine> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::size_t from = line.find(pad);
        const std::size_t to = line.find(pad + pad, from + pad.size());
        const std::size_t description = to + 2 * pad.size();
        if (from != std::string::npos && to != std::string::npos) {
            lines.push_back({line.substr(from + pad.size(), to - from - pad.size()),
                             line.substr(description, line.find(dash) - description)});
        }
        start = end + 1;
    }
    return lines;
}

class TranscriptionSink : public rtf::TRtfSink {
public:
    explicit TranscriptionSink(std::vector<std::string>& out) : out_(out) {}
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        if (dictool::IsTranscriptionRun(format)) {
            out_.emplace_back(utf8);
        }
    }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override {}
    void LineBreak(const rtf::TCharFormat&) override {}
    void Tab(const rtf::TCharFormat&) override {}
    void DocumentEnd(const rtf::TParagraphFormat&) override {}

private:
    std::vector<std::string>& out_;
};

TEST(Transcriptions, EverySymbolAnArticleShowsIsExplainedByTheKey) {
    std::vector<std::string> symbols;
    for (const KeyLine& line : KeyLines()) {
        symbols.push_back(line.Symbol);
    }
    ASSERT_EQ(symbols.size(), 48u);
    // The marks the key's symbols do not hold are explained on the pages.
    for (const char* page : {"bg", "eng"}) {
        const auto explained =
            dictool::KeyAbbreviations(FileBytes(kRunDir / "rtf" / (std::string(page) + ".rtf")));
        for (const char* mark : {"ˈ", "ˌ", "ː"}) {
            EXPECT_TRUE(explained.contains(mark)) << page << " does not explain " << mark;
        }
    }
    symbols.insert(symbols.end(), {"ˈ", "ˌ", " "});

    dictionary::DictionaryIndex index;
    ASSERT_TRUE(index.Load(kRunDir).Complete());
    std::map<std::string, std::pair<std::size_t, std::string>> unexplained; // count, example
    std::size_t transcriptions = 0;
    std::size_t twoVariants = 0;
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            std::vector<std::string> runs;
            TranscriptionSink sink(runs);
            rtf::ParseRtf(dictionary::ReadArticle(index, tab, letter.Record(p)), sink);
            for (std::string run : runs) {
                ASSERT_TRUE(run.size() >= 2 && run.front() == '[' && run.back() == ']') << run;
                run = run.substr(1, run.size() - 2);
                ++transcriptions;
                const auto comma = run.find(", ");
                EXPECT_EQ(run.find(", ", comma + 1), std::string::npos)
                    << "more than two variants: " << run;
                twoVariants += comma != std::string::npos ? 1 : 0;
                // Read as a row of symbols in any way their shared letters
                // allow (ei+əː, eiə+ː); where no way goes on, the character
                // there is unexplained, and reading resumes after it.
                std::vector<bool> reached(run.size() + 1, false);
                reached[0] = true;
                for (std::size_t at = 0; at < run.size(); ++at) {
                    if (!reached[at]) {
                        continue;
                    }
                    if (at == comma) {
                        reached[at + 2] = true;
                        continue;
                    }
                    bool any = false;
                    for (const std::string& symbol : symbols) {
                        if (run.compare(at, symbol.size(), symbol) == 0) {
                            reached[at + symbol.size()] = true;
                            any = true;
                        }
                    }
                    bool ahead = false;
                    for (std::size_t later = at + 1; later <= run.size(); ++later) {
                        ahead = ahead || reached[later];
                    }
                    if (any || ahead) {
                        continue;
                    }
                    // One character, however many bytes it takes.
                    std::size_t next = at + 1;
                    while (next < run.size() &&
                           (static_cast<unsigned char>(run[next]) & 0xC0) == 0x80) {
                        ++next;
                    }
                    auto& [count, example] = unexplained[run.substr(at, next - at)];
                    if (count++ == 0) {
                        example = std::string(letter.HeadWord(p)) + " [" + run + "]";
                    }
                    reached[next] = true;
                }
            }
        }
    }
    EXPECT_GT(transcriptions, 28000u);
    EXPECT_GT(twoVariants, 1000u) << "British and American variants";
    for (const auto& [character, seen] : unexplained) {
        ADD_FAILURE() << "\"" << character << "\" appears " << seen.first
                      << " times, unexplained by the key; e.g. " << seen.second;
    }
}

// --- The samples: what each says, measured as a listener would hear it ----

constexpr std::size_t kWindow = 220; // samples in 10 ms at 22,050 Hz
constexpr double kVoiced = 400;      // a window louder than this holds sound
constexpr std::size_t kPause = 30;   // 0.3 s of quiet ends the sound

double Rms(const std::vector<short>& samples, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return std::sqrt(sum / double(count));
}

// The share of a stretch's energy between 500 and 2,500 Hz, where a
// vowel's first two formants lie: nasals, l and r keep theirs lower, the
// hiss of fricatives and the burst of stops lie higher or are faint.
double FormantShare(const std::vector<short>& samples, std::size_t from, std::size_t count) {
    double mean = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        mean += samples[i];
    }
    mean /= double(count);
    double all = 0;
    double formants = 0;
    for (int frequency = 100; frequency < 5000; frequency += 100) {
        // Goertzel: the power of one frequency.
        const double coefficient = 2 * std::cos(2 * M_PI * frequency / double(kSampleRate));
        double s1 = 0;
        double s2 = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            const double s0 = samples[i] - mean + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
        all += power;
        formants += frequency >= 500 && frequency <= 2500 ? power : 0;
    }
    return all > 0 ? formants / all : 0;
}

struct SampleSound {
    double Seconds = 0;      // of the sound before the pause
    int Syllables = 0;       // loudness peaks with a clear dip between them
    double VowelSeconds = 0; // the longest stretch of it that sounds like a vowel
};

SampleSound Measure(const std::vector<short>& samples) {
    std::vector<double> levels;
    for (std::size_t at = 0; at + kWindow <= samples.size(); at += kWindow) {
        levels.push_back(Rms(samples, at, kWindow));
    }
    std::size_t first = 0;
    while (first < levels.size() && levels[first] < kVoiced) {
        ++first;
    }
    std::size_t last = first;
    for (std::size_t i = first; i < levels.size() && i - last < kPause; ++i) {
        if (levels[i] >= kVoiced) {
            last = i;
        }
    }
    SampleSound sound;
    if (first >= levels.size()) {
        return sound;
    }
    sound.Seconds = double(last + 1 - first) * 0.01;

    // Syllables: peaks of the smoothed loudness above 30 % of the loudest,
    // separated by a dip below 55 % of the lower of the two.
    std::vector<double> smooth;
    for (std::size_t i = first; i <= last; ++i) {
        const std::size_t from = std::max(first, i < 2 ? 0 : i - 2);
        const std::size_t to = std::min(last, i + 2);
        double sum = 0;
        for (std::size_t k = from; k <= to; ++k) {
            sum += levels[k];
        }
        smooth.push_back(sum / double(to - from + 1));
    }
    const double loudest = *std::max_element(smooth.begin(), smooth.end());
    double peak = -1;
    double dip = 0;
    for (const double level : smooth) {
        if (peak < 0) {
            if (level > 0.3 * loudest) {
                peak = dip = level;
                sound.Syllables = 1;
            }
        } else if (level > peak) {
            if (dip < 0.55 * std::min(peak, level) && level > 0.3 * loudest) {
                ++sound.Syllables;
            }
            peak = dip = level;
        } else {
            dip = std::min(dip, level);
        }
    }

    // A vowel: 20 ms stretches with their energy where formants are, and
    // about as loud as the vowels of the example word after the pause.
    double wordPeak = 0;
    for (std::size_t at = (last + 1) * kWindow; at + 2 * kWindow <= samples.size(); at += kWindow) {
        wordPeak = std::max(wordPeak, Rms(samples, at, 2 * kWindow));
    }
    std::size_t run = 0;
    std::size_t longest = 0;
    for (std::size_t at = first * kWindow; at + 2 * kWindow <= (last + 1) * kWindow;
         at += kWindow) {
        const bool vowel = Rms(samples, at, 2 * kWindow) >= 0.25 * wordPeak &&
                           FormantShare(samples, at, 2 * kWindow) >= 0.5;
        run = vowel ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    sound.VowelSeconds = double(longest) * 0.01;
    return sound;
}

class KeySamples : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sounds_.clear();
        for (int n = 1; n <= 48; ++n) {
            const Decoded decoded = DecodeMp3(kRunDir / "trans" / (std::to_string(n) + ".mp3"));
            sounds_.push_back(Measure(decoded.Samples));
        }
    }
    static const SampleSound& Sample(int n) { return sounds_.at(static_cast<std::size_t>(n - 1)); }

    static std::vector<SampleSound> sounds_;
};

std::vector<SampleSound> KeySamples::sounds_;

TEST_F(KeySamples, LongVowelsAreClearlyLongerThanTheirShortPartners) {
    // iː i, əː ə, aː ʌ, ɔː ɔ, uː u
    for (const auto& [longVowel, shortVowel] :
         std::vector<std::pair<int, int>>{{1, 2}, {6, 5}, {8, 7}, {10, 9}, {12, 11}}) {
        EXPECT_GE(Sample(longVowel).Seconds, 1.6 * Sample(shortVowel).Seconds)
            << "sample " << longVowel << " (" << Sample(longVowel).Seconds << " s) against "
            << shortVowel << " (" << Sample(shortVowel).Seconds << " s)";
    }
}

TEST_F(KeySamples, EveryVowelDiphthongAndTriphthongIsOneSyllable) {
    for (int n = 1; n <= 24; ++n) {
        EXPECT_EQ(Sample(n).Syllables, 1) << "sample " << n;
    }
}

TEST_F(KeySamples, ConsonantsComeWithAVowelOnlyWhereTheirLineSaysSo) {
    const std::vector<KeyLine> lines = KeyLines();
    ASSERT_EQ(lines.size(), 48u);
    for (int n = 25; n <= 48; ++n) {
        const std::string& description = lines[static_cast<std::size_t>(n - 1)].Description;
        // "с кратко ъ", "пред гласна"
        const bool saysVowel = description.find("кратко ъ") != std::string::npos ||
                               description.find("гласна") != std::string::npos;
        const double vowel = Sample(n).VowelSeconds;
        if (saysVowel) {
            EXPECT_GE(vowel, 0.1) << "sample " << n << ": " << description;
        } else {
            EXPECT_LT(vowel, 0.05) << "sample " << n << " speaks a vowel its line does not "
                                   << "mention: " << description;
        }
        EXPECT_GE(Sample(n).Seconds, 0.08) << "sample " << n << " is too short to hear";
    }
}

} // namespace
