// Word forms on the default data folder (build/run): what the first look-up
// that needs them costs (reading the two files, copying the head-words), what
// loading hunspell instead would cost, and the time of one resolution and of
// one suggestion search, with their 99th percentiles.
#include "dictionary/LetterIndex.h"
#include "platform/Cp1251.h"
#include "wordforms/FormTable.h"
#include "wordforms/WordForms.h"

#include <benchmark/benchmark.h>
#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

using namespace wordforms;

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576.0;
}

const dictionary::DictionaryIndex& Index() {
    static const dictionary::DictionaryIndex index = [] {
        dictionary::DictionaryIndex i;
        i.Load(DATA_DIR);
        return i;
    }();
    return index;
}

const TFormResolver& Resolver() {
    static const TFormResolver resolver = [] {
        TLoaded loaded = LoadWordForms(DATA_DIR, THeadWords::FromIndex(Index()));
        if (!loaded.Resolver) {
            throw std::runtime_error(loaded.Problem->Message());
        }
        return std::move(*loaded.Resolver);
    }();
    return resolver;
}

// Inflected words of one alphabet: forms the index holds, and head-words with
// a regular ending added, every one not a head-word itself.
std::vector<std::string> Forms(TAlphabet alphabet) {
    std::optional<TLoadProblem> problem;
    const auto table = ReadFormTable(FormIndexPath(DATA_DIR), TTableKind::Forms, problem);
    std::vector<std::string> words;
    for (std::size_t i = 0; table && i < table->Size(); i += 97) {
        const auto record = table->At(i);
        if (AlphabetOf(record.Key) == alphabet) {
            words.emplace_back(record.Key);
        }
    }
    if (alphabet == TAlphabet::Latin) {
        const auto& headWords = Index().Letter(18).HeadWords(); // S
        for (std::size_t p = 0; p < headWords.size(); p += 7) {
            for (const char* ending : {"s", "ed", "ing", "er"}) {
                const std::string word = std::string(headWords[p]) + ending;
                if (!Resolver().HeadWords().Find(word)) {
                    words.push_back(word);
                }
            }
        }
    }
    return words;
}

// One-edit misspellings of frequent head-words: two neighbours swapped.
std::vector<std::string> Typos(TAlphabet alphabet) {
    std::vector<std::string> typos;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        for (const std::string_view word : Index().Letter(tab).HeadWords()) {
            if (word.size() >= 4 && AlphabetOf(word) == alphabet &&
                word.find(' ') == std::string_view::npos &&
                Resolver().HeadWords().Frequency(word) > (alphabet == TAlphabet::Latin ? 60 : 50)) {
                std::string typo(word);
                std::swap(typo[1], typo[2]);
                if (!Resolver().HeadWords().Find(typo)) {
                    typos.push_back(typo);
                }
            }
        }
    }
    return typos;
}

// The thread's processor time: on a shared machine, a call preempted midway
// would count other programs' time in the wall clock.
double ThreadMicros() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Runs call on every word, once a benchmark iteration each, and reports the
// median and 99th percentile of single calls in microseconds of processor
// time.
template <typename Call>
void TimeEach(benchmark::State& state, const std::vector<std::string>& words, Call call) {
    std::vector<double> micros;
    std::size_t i = 0;
    for (auto _ : state) {
        const double start = ThreadMicros();
        benchmark::DoNotOptimize(call(words[i]));
        micros.push_back(ThreadMicros() - start);
        i = (i + 1) % words.size();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["words"] = static_cast<double>(words.size());
}

void BM_FirstLoad(benchmark::State& state) {
    (void)Index();
    // Memory freed by one load serves the next: only the first one grows.
    double grown = -1;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        TLoaded loaded = LoadWordForms(DATA_DIR, THeadWords::FromIndex(Index()));
        grown = grown < 0 ? ResidentMegabytes() - before : grown;
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["resident_MB"] = grown;
}
BENCHMARK(BM_FirstLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_HunspellLoad(benchmark::State& state) {
    const std::string dir = "/usr/share/hunspell/";
    const std::string name = state.range(0) == 0 ? "en_US" : "bg_BG";
    double grown = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        auto hunspell = std::make_unique<Hunspell>((dir + name + ".aff").c_str(),
                                                   (dir + name + ".dic").c_str());
        grown = ResidentMegabytes() - before;
        benchmark::DoNotOptimize(hunspell);
    }
    state.counters["resident_MB"] = grown;
    state.SetLabel(name);
}
BENCHMARK(BM_HunspellLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Resolve(benchmark::State& state) {
    const TAlphabet alphabet = state.range(0) == 0 ? TAlphabet::Latin : TAlphabet::Cyrillic;
    static const std::vector<std::string> words[2] = {Forms(TAlphabet::Latin),
                                                      Forms(TAlphabet::Cyrillic)};
    TimeEach(state, words[state.range(0)],
             [](const std::string& w) { return Resolver().Resolve(w); });
    state.SetLabel(alphabet == TAlphabet::Latin ? "English" : "Bulgarian");
}
BENCHMARK(BM_Resolve)->Arg(0)->Arg(1)->Iterations(20000);

// What a stem reading costs with hunspell loaded instead of the index.
void BM_HunspellStem(benchmark::State& state) {
    const std::string name = state.range(0) == 0 ? "en_US" : "bg_BG";
    static Hunspell english("/usr/share/hunspell/en_US.aff", "/usr/share/hunspell/en_US.dic");
    static Hunspell bulgarian("/usr/share/hunspell/bg_BG.aff", "/usr/share/hunspell/bg_BG.dic");
    static const std::vector<std::string> words[2] = {Forms(TAlphabet::Latin),
                                                      Forms(TAlphabet::Cyrillic)};
    std::vector<std::string> utf8;
    for (const std::string& word : words[state.range(0)]) {
        utf8.push_back(platform::Cp1251ToUtf8(word));
    }
    Hunspell& hunspell = state.range(0) == 0 ? english : bulgarian;
    TimeEach(state, utf8, [&](const std::string& w) { return hunspell.stem(w); });
    state.SetLabel(name);
}
BENCHMARK(BM_HunspellStem)->Arg(0)->Arg(1)->Iterations(20000);

void BM_Suggest(benchmark::State& state) {
    static const std::vector<std::string> typos[2] = {Typos(TAlphabet::Latin),
                                                      Typos(TAlphabet::Cyrillic)};
    TimeEach(state, typos[state.range(0)],
             [](const std::string& w) { return Resolver().Suggest(w); });
    state.SetLabel(state.range(0) == 0 ? "English" : "Bulgarian");
}
BENCHMARK(BM_Suggest)->Arg(0)->Arg(1)->Iterations(2000);

} // namespace

BENCHMARK_MAIN();
