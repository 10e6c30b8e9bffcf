#include "lookup/SearchCombo.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A letter's worth of head-words: 5,000 words of 3 to 14 letters beginning
// with the same letter, in a fixed pseudo-random order.
std::vector<std::string> MakeLetter(char first, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(2, 13);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<std::string> words;
    words.reserve(5000);
    for (int i = 0; i < 5000; ++i) {
        std::string word(1, first);
        for (int n = length(random); n > 0; --n) {
            word.push_back(static_cast<char>(letter(random)));
        }
        words.push_back(std::move(word));
    }
    return words;
}

struct Fixture {
    Fixture() {
        window.resize(400, 320);
        combo = new lookup::TSearchCombo(&window);
        combo->setGeometry(10, 10, 240, 23);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            qWarning("the benchmark window did not become active");
        }
        combo->Edit()->setFocus();
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const auto& words = letters[i];
            views[i].assign(words.begin(), words.end());
        }
        combo->SetItems(views[0]);
        combo->SetDroppedDown(true);
    }

    // Paints what the user would see after the change.
    void Repaint() {
        combo->repaint();
        combo->DropList()->viewport()->repaint();
    }

    QWidget window;
    lookup::TSearchCombo* combo = nullptr;
    std::vector<std::vector<std::string>> letters = {MakeLetter('h', 1), MakeLetter('t', 2)};
    std::vector<std::vector<std::string_view>> views{2};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_LetterSwitch(benchmark::State& state) {
    Fixture& f = Shared();
    std::size_t letter = 0;
    for (auto _ : state) {
        letter ^= 1;
        f.combo->SetItems(f.views[letter]);
        f.Repaint();
    }
}
BENCHMARK(BM_LetterSwitch)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

// One typed character with the list open: key events, the search for the
// first matching head-word, scrolling, OnChange and the repaint. The typed
// text matches nothing, the worst case for the search.
void BM_KeystrokeHighlight(benchmark::State& state) {
    Fixture& f = Shared();
    f.combo->SetItems(f.views[0]);
    f.combo->SetText("hzzz");
    f.combo->SetSelStart(4);
    for (auto _ : state) {
        QTest::keyClick(f.combo->Edit(), Qt::Key_Q);
        f.Repaint();
        state.PauseTiming();
        QTest::keyClick(f.combo->Edit(), Qt::Key_Backspace);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KeystrokeHighlight)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
