// Start-up of the real program against an empty Qt main window, both started
// the same way on a private X server (Xvfb), one after the other in every
// repetition: the time from the start of the process to the mapping of its
// main window, the resident memory once it has settled, and how often its
// threads wake while it sits idle. Reports both and their ratios.
//
// The programs start in a folder of their own that shows the data folder's
// files and holds a learning record of a learner who has studied for half a
// year (--record=WORDS:ANSWERS, 0 for none), so the due count the window
// reads after it shows is measured with it. --baseline=PATH starts another
// build of the program in the same way, in turn with the first, and reports
// the first's figures against it.
//
//   start_up_bench [--program=PATH] [--baseline=PATH] [--data=DIR]
//       [--record=2000:20000] --benchmark_repetitions=7
//       --benchmark_report_aggregates_only=true
#include "learning/LearningRecord.h"
#include "learning/RecordFile.h"

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string gProgram = PROGRAM_PATH;
std::string gDataDir = DATA_DIR;
std::string gBaseline;
int gRecordWords = 2000;
int gRecordAnswers = 20000;
fs::path gRunDir; // where the programs start
std::string gDisplay;
pid_t gServer = 0;
constexpr const char* kProgramTitle = "Marendov Tamir English Free Dictionary";
constexpr const char* kEmptyTitle = "Empty window";

// Starts Xvfb on a display number it chooses itself.
bool StartServer() {
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    gServer = ::fork();
    if (gServer == 0) {
        ::close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // The number comes when the server is ready, ended by a line break.
    std::string number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (number.empty())
        return false;
    gDisplay = ":" + number;
    return true;
}

void StopServer() {
    if (gServer > 0) {
        ::kill(gServer, SIGTERM);
        ::waitpid(gServer, nullptr, 0);
    }
}

std::string WindowName(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (reply == nullptr)
        return {};
    const std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
}

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

// Times each thread has been put on a processor, by thread id and name.
std::map<std::string, long> Wakeups(pid_t pid) {
    std::map<std::string, long> counts;
    const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code ec;
    for (const auto& task : fs::directory_iterator(tasks, ec)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        std::ifstream schedstat(task.path() / "schedstat");
        long run = 0;
        long wait = 0;
        long slices = 0;
        schedstat >> run >> wait >> slices;
        counts[task.path().filename().string() + " " + name] = slices;
    }
    return counts;
}

// Processor time all threads of the process have used so far.
double CpuMilliseconds(pid_t pid) {
    double nanoseconds = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double run = 0;
        schedstat >> run;
        nanoseconds += run;
    }
    return nanoseconds / 1e6;
}

struct Measure {
    double MillisecondsToShown = 0;
    // On a busy machine the wall time waits for other programs; the
    // processor time does not.
    double CpuMillisecondsToShown = 0;
    double ResidentMegabytes = 0;
    double WakeupsPerSecond = 0;
    std::string Wakers; // threads that woke while idle
};

// Starts the program in the data folder and follows it until its window with
// the title is mapped, then lets it settle and watches it idle.
Measure Run(const std::string& program, const char* title) {
    Measure result;
    xcb_connection_t* connection = xcb_connect(gDisplay.c_str(), nullptr);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(gRunDir.c_str()) != 0)
            ::_exit(126);
        ::setenv("DISPLAY", gDisplay.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    bool shown = false;
    const auto deadline = start + std::chrono::seconds(30);
    while (!shown && Clock::now() < deadline) {
        pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
        ::poll(&fd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && !shown) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (WindowName(connection, map->window) == title) {
                    shown = true;
                    result.MillisecondsToShown =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    result.CpuMillisecondsToShown = CpuMilliseconds(child);
                }
            }
            std::free(event);
        }
    }
    xcb_disconnect(connection);

    // Settled: the same resident size twice, 100 ms apart.
    long settled = -1;
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long now = ResidentKilobytes(child);
        if (now > 0 && now == settled)
            break;
        settled = now;
    }
    result.ResidentMegabytes = static_cast<double>(settled) / 1024.0;

    constexpr double kIdleSeconds = 3.0;
    const auto before = Wakeups(child);
    std::this_thread::sleep_for(std::chrono::duration<double>(kIdleSeconds));
    const auto after = Wakeups(child);
    long total = 0;
    std::ostringstream wakers;
    for (const auto& [thread, slices] : after) {
        const auto earlier = before.find(thread);
        const long woke = slices - (earlier == before.end() ? 0 : earlier->second);
        if (woke > 0) {
            total += woke;
            wakers << " " << thread.substr(thread.find(' ') + 1) << ":" << woke;
        }
    }
    result.WakeupsPerSecond = static_cast<double>(total) / kIdleSeconds;
    result.Wakers = wakers.str();

    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    if (!shown)
        result.MillisecondsToShown = -1;
    return result;
}

// A folder that shows every file of the data folder through a link, except
// the learning record and the settings: those are the run's own (the settings
// copied, so the programs write their own copy).
fs::path MakeRunFolder() {
    std::string pattern = (fs::temp_directory_path() / "start-up-bench-data-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    for (const auto& entry : fs::directory_iterator(fs::absolute(gDataDir))) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Learning.db", 0) == 0)
            continue;
        if (name == "Dictionary.cfg")
            fs::copy_file(entry.path(), folder / name);
        else
            fs::create_symlink(entry.path(), folder / name);
    }
    return folder;
}

// Half a year of study: the answers spread over 180 days up to an hour ago,
// three in five right, one wrong, one a word only seen.
void WriteAnswers(const fs::path& file, int words, int answers) {
    learning::sqlite::TDatabase db = learning::OpenRecordFile(file);
    db.Exec("PRAGMA synchronous=OFF");
    learning::TAnswerWriter writer(db);
    std::mt19937 random(7);
    using learning::TAnswerKind;
    const TAnswerKind kinds[] = {TAnswerKind::Right, TAnswerKind::Right, TAnswerKind::Right,
                                 TAnswerKind::Wrong, TAnswerKind::Seen};
    constexpr std::int64_t kSpanMs = 180LL * 24 * 60 * 60 * 1000;
    const std::int64_t endMs = learning::ToMs(learning::Now()) - 60 * 60 * 1000;
    for (int i = 0; i < answers; ++i) {
        learning::TAnswer answer;
        answer.Entry = "word" + std::to_string(random() % static_cast<unsigned>(words));
        answer.HeadWord = answer.Entry;
        answer.Tab = 22;
        answer.Kind = kinds[random() % 5];
        answer.At = learning::FromMs(endMs - kSpanMs + kSpanMs / answers * i);
        writer.Write(answer);
    }
}

// The record as the program leaves it: opened and closed once.
void WriteRecord(const fs::path& file, int words, int answers) {
    WriteAnswers(file, words, answers);
    learning::TLearningRecord record(file);
    std::fprintf(stderr, "%d words due of %d in the record\n", record.DueCount(learning::Now()),
                 words);
}

void BM_StartUpAgainstEmptyWindow(benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
        // Each one goes first in turn, so none always meets a warmer cache.
        struct Started {
            std::string Program;
            const char* Title;
            Measure Result;
        };
        std::vector<Started> runs = {{EMPTY_WINDOW_PATH, kEmptyTitle, {}},
                                     {gProgram, kProgramTitle, {}}};
        if (!gBaseline.empty())
            runs.push_back({gBaseline, kProgramTitle, {}});
        for (std::size_t i = 0; i < runs.size(); ++i) {
            Started& run = runs[(i + static_cast<std::size_t>(round)) % runs.size()];
            run.Result = Run(run.Program, run.Title);
        }
        ++round;
        const Measure& empty = runs[0].Result;
        const Measure& program = runs[1].Result;
        const bool failed = std::any_of(runs.begin(), runs.end(), [](const Started& run) {
            return run.Result.MillisecondsToShown < 0;
        });
        if (failed) {
            state.SkipWithError("a window was not shown");
            break;
        }
        state.SetIterationTime(program.MillisecondsToShown / 1000.0);
        state.counters["program_ms"] = program.MillisecondsToShown;
        state.counters["empty_ms"] = empty.MillisecondsToShown;
        state.counters["time_ratio"] = program.MillisecondsToShown / empty.MillisecondsToShown;
        state.counters["program_cpu_ms"] = program.CpuMillisecondsToShown;
        state.counters["empty_cpu_ms"] = empty.CpuMillisecondsToShown;
        state.counters["cpu_ratio"] = program.CpuMillisecondsToShown / empty.CpuMillisecondsToShown;
        state.counters["program_MB"] = program.ResidentMegabytes;
        state.counters["empty_MB"] = empty.ResidentMegabytes;
        state.counters["rss_ratio"] = program.ResidentMegabytes / empty.ResidentMegabytes;
        state.counters["program_wakeups_per_s"] = program.WakeupsPerSecond;
        state.counters["empty_wakeups_per_s"] = empty.WakeupsPerSecond;
        std::string baselineWakers;
        if (runs.size() > 2) {
            const Measure& baseline = runs[2].Result;
            state.counters["baseline_ms"] = baseline.MillisecondsToShown;
            state.counters["baseline_cpu_ms"] = baseline.CpuMillisecondsToShown;
            state.counters["baseline_MB"] = baseline.ResidentMegabytes;
            state.counters["time_vs_baseline"] =
                program.MillisecondsToShown / baseline.MillisecondsToShown;
            state.counters["cpu_vs_baseline"] =
                program.CpuMillisecondsToShown / baseline.CpuMillisecondsToShown;
            state.counters["rss_vs_baseline"] =
                program.ResidentMegabytes / baseline.ResidentMegabytes;
            baselineWakers = " | baseline" + baseline.Wakers;
        }
        std::fprintf(stderr, "idle wake-ups in 3 s: program%s | empty window%s%s\n",
                     program.Wakers.c_str(), empty.Wakers.c_str(), baselineWakers.c_str());
    }
}
BENCHMARK(BM_StartUpAgainstEmptyWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        // The programs start in the data folder: a relative path would not
        // be found there.
        if (argument.rfind("--program=", 0) == 0)
            gProgram = fs::absolute(argument.substr(10)).string();
        else if (argument.rfind("--baseline=", 0) == 0)
            gBaseline = fs::absolute(argument.substr(11)).string();
        else if (argument.rfind("--data=", 0) == 0)
            gDataDir = argument.substr(7);
        else if (argument.rfind("--record=", 0) == 0) {
            const std::string record = argument.substr(9);
            gRecordAnswers = std::atoi(record.substr(record.find(':') + 1).c_str());
            gRecordWords = std::max(1, std::atoi(record.c_str()));
        } else
            argv[kept++] = argv[i];
    }
    argc = kept;
    // The program's own choices, as a user's desktop would meet them.
    ::unsetenv("SDL_AUDIODRIVER");
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const fs::path runtime =
            fs::temp_directory_path() / ("start-up-bench-" + std::to_string(::getpid()));
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    gRunDir = MakeRunFolder();
    if (gRecordAnswers > 0)
        WriteRecord(gRunDir / "Learning.db", gRecordWords, gRecordAnswers);
    if (!StartServer()) {
        fs::remove_all(gRunDir);
        std::fprintf(stderr, "Xvfb could not be started\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StopServer();
    fs::remove_all(gRunDir);
    return 0;
}
