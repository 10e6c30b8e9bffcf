// The main window on the full FreeDict data, offscreen: start-up, keystroke
// to article, letter switch, clipboard to article, and the largest article's
// parse and layout. Prints the resident memory after the first start.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictionary/Lookup.h"
#include "dictool/Builder.h"
#include "dictool/FreeDictSource.h"
#include "dictool/Transcriber.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "rtf/RtfDocument.h"
#include "tests/lookup/ClipboardOwner.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path gDataDir;
std::unique_ptr<platform::TPaths> gPaths;
std::unique_ptr<ui::TEnvironment> gEnvironment;

std::unique_ptr<app::TForm1> NewForm() {
    auto form = std::make_unique<app::TForm1>(*gPaths, *gEnvironment);
    form->FormCreate();
    QApplication::processEvents();
    return form;
}

void BM_StartUpToWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        auto form = std::make_unique<app::TForm1>(*gPaths, *gEnvironment);
        form->FormCreate();
        benchmark::DoNotOptimize(form->isVisible());
        state.PauseTiming();
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// Ctrl moves to the next head-word and shows its article.
void BM_KeystrokeToArticle(benchmark::State& state) {
    auto form = NewForm();
    form->Layout().TabControl1->Tabs()->setCurrentIndex('S' - 'A');
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(form->Layout().Combo->Edit(), Qt::Key_Control, Qt::ControlModifier);
        if (form->Layout().Combo->ItemIndex() < 0) {
            state.PauseTiming();
            form->Layout().Combo->SetItemIndex(0);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeystrokeToArticle)->Unit(benchmark::kMillisecond);

void BM_LetterSwitch(benchmark::State& state) {
    auto form = NewForm();
    int tab = 0;
    for (auto _ : state) {
        tab = tab == 'S' - 'A' ? 'C' - 'A' : 'S' - 'A';
        form->Layout().TabControl1->Tabs()->setCurrentIndex(tab);
    }
}
BENCHMARK(BM_LetterSwitch)->Unit(benchmark::kMillisecond);

void BM_ClipboardToArticle(benchmark::State& state) {
    auto form = NewForm();
    const QString words[] = {QStringLiteral("running,"), QStringLiteral("house")};
    int i = 0;
    for (auto _ : state) {
        QGuiApplication::clipboard()->setText(words[i++ % 2]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClipboardToArticle)->Unit(benchmark::kMillisecond);

// Another X client copies a word: the change reaches the window, which reads
// the text from that client over X and shows the word's article. Needs the
// program on X (QT_QPA_PLATFORM=xcb under Xvfb).
void BM_CopyInAnotherProgramToArticle(benchmark::State& state) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        state.SkipWithError("needs QT_QPA_PLATFORM=xcb and an X server");
        return;
    }
    using namespace std::chrono_literals;
    auto form = NewForm();
    testsupport::TOwner owner("start", 0ms);
    const std::string words[] = {"running,", "house", "apple", "zebra"};
    const QString heads[] = {QStringLiteral("running"), QStringLiteral("house"),
                             QStringLiteral("apple"), QStringLiteral("zebra")};
    int i = 0;
    for (auto _ : state) {
        const int n = i++ % 4;
        owner.Copy(words[n]);
        QElapsedTimer waited;
        waited.start();
        while (form->Layout().Combo->Edit()->text() != heads[n] && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 1);
        }
        if (form->Layout().Combo->Edit()->text() != heads[n]) {
            state.SkipWithError("the copied word was not looked up");
            return;
        }
    }
}
BENCHMARK(BM_CopyInAnotherProgramToArticle)->Unit(benchmark::kMillisecond);

void BM_LargestArticleParseAndLayout(benchmark::State& state) {
    dictionary::DictionaryIndex index;
    index.Load(gDataDir);
    std::string largest;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            if (letter.Article(p).ArticleSize > static_cast<std::int32_t>(largest.size())) {
                largest = dictionary::ReadArticle(index, tab, letter.Record(p));
            }
        }
    }
    QFont font(QStringLiteral("Timok"));
    font.setPixelSize(16);
    for (auto _ : state) {
        QTextDocument document;
        rtf::LoadRtf(document, largest, font);
        document.setTextWidth(380);
        benchmark::DoNotOptimize(document.size());
    }
    state.SetLabel(std::to_string(largest.size()) + " bytes");
}
BENCHMARK(BM_LargestArticleParseAndLayout)->Unit(benchmark::kMillisecond);

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

// The real program, started offscreen in the data folder: its resident
// memory once the window is up and the start-up work has settled.
double ProgramResidentMegabytes() {
    const pid_t child = ::fork();
    if (child == 0) {
        // The program is started from its data folder.
        if (::chdir(gDataDir.c_str()) != 0) {
            ::_exit(126);
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(PROGRAM_PATH, PROGRAM_PATH, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    long settled = -1;
    for (int i = 0; i < 30; ++i) {
        ::usleep(100 * 1000);
        const long now = ResidentKilobytes(child);
        if (now > 0 && now == settled) {
            break;
        }
        settled = now;
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    return settled / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ui::RegisterFontSubstitutes();
    gEnvironment = std::make_unique<ui::TEnvironment>(app::DesktopEnvironment());
    gEnvironment->Dialogs.Error = [](QWidget*, const QString& text) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    };

    gDataDir = fs::temp_directory_path() / ("app-bench-" + std::to_string(::getpid()));
    const std::string indexPath = FREEDICT_INDEX;
    const auto data =
        dictool::ReadFreeDict(indexPath, indexPath.substr(0, indexPath.size() - 6) + ".dict.dz");
    dictool::Transcriber transcriber;
    dictool::BuildDictionary(data.Entries, gDataDir, transcriber);
    gPaths = std::make_unique<platform::TPaths>(platform::TPaths::Below(gDataDir));

    std::printf("Resident memory of the program after start: %.1f MB\n",
                ProgramResidentMegabytes());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(gDataDir);
    return 0;
}
