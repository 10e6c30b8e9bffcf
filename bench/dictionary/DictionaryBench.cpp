// Look-up speed on the full FreeDict data, built into a temporary folder
// when the benchmark starts.
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "dictool/Builder.h"
#include "dictool/FreeDictSource.h"
#include "dictool/Transcriber.h"
#include "platform/Cp1251.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path& DataDir() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("dict-bench-" + std::to_string(::getpid()));
        const std::string index = FREEDICT_INDEX;
        const auto data =
            dictool::ReadFreeDict(index, index.substr(0, index.size() - 6) + ".dict.dz");
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(data.Entries, d, transcriber);
        return d;
    }();
    return dir;
}

const dictionary::DictionaryIndex& Index() {
    static const dictionary::DictionaryIndex index = [] {
        dictionary::DictionaryIndex i;
        i.Load(DataDir());
        return i;
    }();
    return index;
}

int LargestLetter() {
    int largest = 0;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        if (Index().Letter(tab).Size() > Index().Letter(largest).Size()) {
            largest = tab;
        }
    }
    return largest;
}

void BM_LoadAllIndexes(benchmark::State& state) {
    DataDir();
    for (auto _ : state) {
        dictionary::DictionaryIndex index;
        benchmark::DoNotOptimize(index.Load(DataDir()));
    }
}
BENCHMARK(BM_LoadAllIndexes)->Unit(benchmark::kMillisecond);

// The worst case: the last head-word of the largest letter.
void BM_FindWordLargestLetter(benchmark::State& state) {
    const auto& words = Index().Letter(LargestLetter()).HeadWords();
    const std::string last(words.back());
    for (auto _ : state) {
        benchmark::DoNotOptimize(dictionary::FindWord(words, last));
    }
    state.SetLabel(std::to_string(words.size()) + " head-words");
}
BENCHMARK(BM_FindWordLargestLetter)->Unit(benchmark::kMicrosecond);

// The same searches by the look-up service, which halves a letter in
// head-word order: the last head-word of the largest letter as a prefix in
// another case, and byte for byte.
void BM_FindPrefixLargestLetter(benchmark::State& state) {
    const int tab = LargestLetter();
    const dictionary::TLookupService service(Index());
    std::string last(Index().Letter(tab).HeadWords().back());
    for (char& c : last) {
        c = static_cast<char>(platform::Cp1251Upper(static_cast<std::uint8_t>(c)));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.FindPrefix(tab, last));
    }
}
BENCHMARK(BM_FindPrefixLargestLetter)->Unit(benchmark::kMicrosecond);

// The linear exact search that the word list and the user dictionary made,
// and the service's.
void BM_FindHeadWordLinearLargestLetter(benchmark::State& state) {
    const auto& words = Index().Letter(LargestLetter()).HeadWords();
    const std::string last(words.back());
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::find(words.begin(), words.end(), last));
    }
}
BENCHMARK(BM_FindHeadWordLinearLargestLetter)->Unit(benchmark::kMicrosecond);

void BM_FindHeadWordLargestLetter(benchmark::State& state) {
    const int tab = LargestLetter();
    const dictionary::TLookupService service(Index());
    const std::string last(Index().Letter(tab).HeadWords().back());
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.FindHeadWord(tab, last));
    }
}
BENCHMARK(BM_FindHeadWordLargestLetter)->Unit(benchmark::kMicrosecond);

// A copied word that needs several shortenings.
void BM_FindByShortening(benchmark::State& state) {
    const dictionary::TLookupService service(Index());
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.FindText("  householdersxyz, etc"));
    }
}
BENCHMARK(BM_FindByShortening)->Unit(benchmark::kMicrosecond);

void BM_ReadArticle(benchmark::State& state) {
    const int tab = 'H' - 'A';
    const auto& letter = Index().Letter(tab);
    const int position = dictionary::FindWord(letter.HeadWords(), "house");
    const auto record = letter.Record(static_cast<std::size_t>(position));
    for (auto _ : state) {
        benchmark::DoNotOptimize(dictionary::ReadArticle(Index(), tab, record));
    }
    state.SetBytesProcessed(state.iterations() * record.ArticleSize);
}
BENCHMARK(BM_ReadArticle)->Unit(benchmark::kMicrosecond);

// The same article from a letter whose article file is stored compressed:
// the file is expanded once, not at every read.
void BM_ReadArticleCompressed(benchmark::State& state) {
    const fs::path dir = DataDir().string() + "-szdd";
    fs::create_directories(dir / "eg");
    fs::copy_file(DataDir() / "eg" / "base_h.dak", dir / "eg" / "base_h.dak",
                  fs::copy_options::overwrite_existing);
    const fs::path plain = dir / "eg" / "plain";
    fs::copy_file(DataDir() / "eg" / "base_h.ref", plain, fs::copy_options::overwrite_existing);
    const std::string command = "mscompress '" + plain.string() + "'";
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("mscompress is needed");
        return;
    }
    fs::rename(plain.string() + "_", dir / "eg" / "base_h.ref");
    fs::remove(plain);
    dictionary::DictionaryIndex index;
    index.Load(dir);
    const int tab = 'H' - 'A';
    const auto& letter = index.Letter(tab);
    const int position = dictionary::FindWord(letter.HeadWords(), "house");
    const auto record = letter.Record(static_cast<std::size_t>(position));
    for (auto _ : state) {
        benchmark::DoNotOptimize(dictionary::ReadArticle(index, tab, record));
    }
    state.SetBytesProcessed(state.iterations() * record.ArticleSize);
    fs::remove_all(dir);
}
BENCHMARK(BM_ReadArticleCompressed)->Unit(benchmark::kMicrosecond);

void BM_BuildWholeDictionary(benchmark::State& state) {
    const std::string index = FREEDICT_INDEX;
    const fs::path out = DataDir().string() + "-build";
    for (auto _ : state) {
        const auto data =
            dictool::ReadFreeDict(index, index.substr(0, index.size() - 6) + ".dict.dz");
        dictool::Transcriber transcriber;
        benchmark::DoNotOptimize(dictool::BuildDictionary(data.Entries, out, transcriber));
    }
    fs::remove_all(out);
}
BENCHMARK(BM_BuildWholeDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(DataDir());
    return 0;
}
