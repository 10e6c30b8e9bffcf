// Showing an article: parsing, building the rich-text document and laying it
// out, for a large article of many short formatting runs.
#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 20 KB in the shape the dictionary builder writes: numbered senses
// with bold numbers, italic labels, coloured transcriptions and Cyrillic
// translations escaped in code page 1251.
std::string LargeArticle() {
    std::string rtf = R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Timok;})"
                      R"({\f1\fnil\fcharset0 DejaVu Sans;}}{\colortbl;\red0\green0\blue0;)"
                      R"(\red0\green64\blue160;\red128\green0\blue0;}\uc1\pard\plain\ql\f0\fs32)"
                      R"({\b house} {\cf2 [\u712?ha\u650?s]}\line\par)";
    for (int sense = 1; rtf.size() < 20'000; ++sense) {
        rtf += "\\pard\\li240{\\b " + std::to_string(sense) + ".} {\\i n} ";
        rtf += R"(\'ea\'fa\'f9\'e0, \'e4\'ee\'ec; {\cf3\i \'f1\'e3\'f0\'e0\'e4\'e0} )";
        rtf += R"({\f1\cf2 [\u712?ha\u650?s\u618?z]} \emdash  {\ul example} of use\tab )";
        rtf += R"({\b\i the house} \'ea\'fa\'f9\'e0\'f2\'e0\line {\fs24 small text}\par)";
    }
    rtf += "}";
    return rtf;
}

void BM_LoadRtfAndLayout(benchmark::State& state) {
    const std::string article = LargeArticle();
    QTextDocument document;
    const QFont font(QStringLiteral("DejaVu Sans"), 12);
    for (auto _ : state) {
        rtf::LoadRtf(document, article, font);
        document.setTextWidth(600);
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * article.size()));
    state.counters["blocks"] = document.blockCount();
}
BENCHMARK(BM_LoadRtfAndLayout)->Unit(benchmark::kMillisecond);

void BM_LoadRtf(benchmark::State& state) {
    const std::string article = LargeArticle();
    QTextDocument document;
    const QFont font(QStringLiteral("DejaVu Sans"), 12);
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::LoadRtf(document, article, font));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * article.size()));
}
BENCHMARK(BM_LoadRtf)->Unit(benchmark::kMillisecond);

void BM_RtfToPlainText(benchmark::State& state) {
    const std::string article = LargeArticle();
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::RtfToPlainText(article));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * article.size()));
}
BENCHMARK(BM_RtfToPlainText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
