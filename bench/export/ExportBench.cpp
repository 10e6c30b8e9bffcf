// Exporting the default study list (245 words) of the default data folder
// with its pronunciations (made by "wavegen build/run"): the index is loaded
// once, each iteration writes a whole package.
#include "dictionary/LetterIndex.h"
#include "export/DictionaryWords.h"
#include "export/Export.h"
#include "studylist/StudyListFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct DefaultFolder {
    DefaultFolder() {
        index.Load(DICT_RUN_DIR);
        // A list that cannot be read leaves nothing to export, which the
        // benchmark then measures as such.
        (void)studylist::ReadStudyListFile(fs::path(DICT_RUN_DIR) / "wave" / "EnglishFree", list);
        std::string pattern = (fs::temp_directory_path() / "export-bench-XXXXXX").string();
        out = ::mkdtemp(pattern.data());
    }
    ~DefaultFolder() {
        std::error_code ec;
        fs::remove_all(out, ec);
    }
    dictionary::DictionaryIndex index;
    std::vector<std::string> list;
    fs::path out;
};

void Export(benchmark::State& state, const char* name) {
    DefaultFolder folder;
    const dictionary::TLookupService lookup(folder.index);
    const exporting::TDictionaryWords words(lookup, DICT_RUN_DIR);
    exporting::TExportOptions options;
    options.Replace = true;
    options.NowMs = 1709283600000;
    exporting::TExportResult result;
    for (auto _ : state) {
        result = std::string_view(name).ends_with(".tsv")
                     ? exporting::ExportTabSeparated(folder.list, words, folder.out / name, options)
                     : exporting::ExportAnkiPackage(folder.list, words, folder.out / name, options);
    }
    state.counters["notes"] = result.Notes;
    state.counters["sounds"] = result.Sounds;
    state.counters["left_out"] = static_cast<double>(result.LeftOut.size());
    std::error_code ec;
    state.counters["bytes"] = static_cast<double>(fs::file_size(folder.out / name, ec));
}

void BM_ExportDefaultListAsPackage(benchmark::State& state) {
    Export(state, "EnglishFree.apkg");
}
BENCHMARK(BM_ExportDefaultListAsPackage)->Unit(benchmark::kMillisecond);

void BM_ExportDefaultListAsText(benchmark::State& state) {
    Export(state, "EnglishFree.tsv");
}
BENCHMARK(BM_ExportDefaultListAsText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
