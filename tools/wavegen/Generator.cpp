#include "wavegen/Generator.h"

#include "wavegen/Manifest.h"
#include "wavegen/Mp3Encoder.h"
#include "wavegen/Speech.h"

#include "dictionary/LetterIndex.h"
#include "dictionary/Letters.h"
#include "platform/Cp1251.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <new>
#include <optional>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wavegen {

namespace {

constexpr std::size_t kMaxReportedFailures = 10;

struct Job {
    std::filesystem::path Target;
    std::string HeadWord; // UTF-8
};

// What a worker sends back for each job. Smaller than PIPE_BUF, so that the
// writes of several workers never interleave.
struct Result {
    std::uint32_t Job = 0;
    std::uint32_t Ok = 0;
    char Message[248] = {};
};
static_assert(sizeof(Result) <= PIPE_BUF);
constexpr std::uint32_t kWorkerFailed = UINT32_MAX; // a Result about the worker, not a job

struct Letter {
    std::filesystem::path Folder;
    std::vector<Entry> Entries;
    LetterPlan Plan;
    std::size_t FirstJob = 0; // where this letter's jobs start in the job list
};

std::string ErrnoText(int error) {
    return std::strerror(error);
}

// Refuses a folder whose place is taken by a file, before anything is made.
void CheckFolderPlace(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::exists(folder, ec) && !std::filesystem::is_directory(folder, ec)) {
        throw std::runtime_error(folder.string() + " is not a folder");
    }
}

void MakeFolder(const std::filesystem::path& folder) {
    CheckFolderPlace(folder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw std::runtime_error("cannot create the folder " + folder.string() + ": " +
                                 ec.message());
    }
    if (!std::filesystem::is_directory(folder, ec)) {
        throw std::runtime_error(folder.string() + " is not a folder");
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        throw std::runtime_error("cannot write to the folder " + folder.string() + ": " +
                                 ErrnoText(errno));
    }
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads one whole result; false at the end of the pipe.
bool ReadResult(int fd, Result& result) {
    auto* bytes = reinterpret_cast<char*>(&result);
    std::size_t got = 0;
    while (got < sizeof result) {
        const ssize_t n = ::read(fd, bytes + got, sizeof result - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

Result MakeFile(const Job& job, std::uint32_t index) {
    Result result;
    result.Job = index;
    try {
        Speech& speech = Speech::Engine();
        const std::vector<std::int16_t> samples = speech.Speak(job.HeadWord);
        const std::vector<unsigned char> mp3 = EncodeMp3(samples, speech.SampleRate());
        WriteFileAtomically(
            job.Target, std::string_view(reinterpret_cast<const char*>(mp3.data()), mp3.size()));
        result.Ok = 1;
    } catch (const std::exception& error) {
        std::strncpy(result.Message, error.what(), sizeof result.Message - 1);
    }
    return result;
}

// A worker takes the next job from the shared counter until none is left, so
// that a slow word holds up only its own worker.
[[noreturn]] void RunWorker(const std::vector<Job>& jobs, std::atomic<std::uint32_t>& next,
                            int resultFd) {
    // A worker has no use once the parent is gone.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Each worker starts its own engine: the engine keeps a thread of its own,
    // which a fork would not carry over.
    try {
        Speech::Engine();
    } catch (const std::exception& error) {
        Result result;
        result.Job = kWorkerFailed;
        std::strncpy(result.Message, error.what(), sizeof result.Message - 1);
        WriteAll(resultFd, &result, sizeof result);
        ::_exit(1);
    }
    for (;;) {
        const std::uint32_t index = next.fetch_add(1);
        if (index >= jobs.size()) {
            break;
        }
        const Result result = MakeFile(jobs[index], index);
        if (!WriteAll(resultFd, &result, sizeof result)) {
            ::_exit(1);
        }
    }
    ::_exit(0);
}

// Runs the jobs in worker processes; ok[i] tells whether job i was done.
std::vector<bool> RunJobs(const std::vector<Job>& jobs, int workers, Progress& progress,
                          Summary& summary) {
    std::vector<bool> ok(jobs.size(), false);
    if (jobs.empty()) {
        return ok;
    }
    void* shared = ::mmap(nullptr, sizeof(std::atomic<std::uint32_t>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        throw std::runtime_error("cannot share the job counter: " + ErrnoText(errno));
    }
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
    auto* next = new (shared) std::atomic<std::uint32_t>(0);

    std::array<int, 2> pipeFds{};
    if (::pipe2(pipeFds.data(), O_CLOEXEC) != 0) {
        ::munmap(shared, sizeof *next);
        throw std::runtime_error("cannot create a pipe: " + ErrnoText(errno));
    }
    workers = std::clamp(workers, 1, static_cast<int>(std::min<std::size_t>(jobs.size(), 256)));
    std::vector<pid_t> pids;
    for (int i = 0; i < workers; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            RunWorker(jobs, *next, pipeFds[1]);
        }
        if (pid < 0) {
            summary.Errors.push_back("cannot start a worker process: " + ErrnoText(errno));
            break;
        }
        pids.push_back(pid);
    }
    ::close(pipeFds[1]);

    std::size_t done = 0;
    Result result;
    while (!pids.empty() && ReadResult(pipeFds[0], result)) {
        if (result.Job >= jobs.size()) {
            // Every worker would say the same; once is enough.
            if (std::find(summary.Errors.begin(), summary.Errors.end(), result.Message) ==
                summary.Errors.end()) {
                summary.Errors.emplace_back(result.Message);
            }
            continue;
        }
        if (result.Ok != 0) {
            ok[result.Job] = true;
        } else {
            ++summary.Failed;
            if (summary.Failed <= kMaxReportedFailures) {
                summary.Errors.emplace_back(result.Message);
            }
        }
        progress.Update(++done);
    }
    ::close(pipeFds[0]);

    for (const pid_t pid : pids) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status)) {
            summary.Errors.push_back("a worker process was killed by signal " +
                                     std::to_string(WTERMSIG(status)));
        }
    }
    ::munmap(shared, sizeof *next);

    // Jobs a dead worker took but never reported count as failed.
    const auto missing = static_cast<std::size_t>(std::count(ok.begin(), ok.end(), false));
    if (missing > summary.Failed) {
        summary.Failed = missing;
    }
    return ok;
}

// The English letters with base records or a folder from an earlier run.
std::vector<Letter> CollectLetters(const dictionary::DictionaryIndex& index,
                                   const dictionary::LoadReport& report,
                                   const std::filesystem::path& waveDir, Summary& summary) {
    std::vector<Letter> letters;
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        const std::string indexPath = index.IndexPath(tab).string();
        const auto listed = [&](const std::vector<std::string>& paths) {
            return std::find(paths.begin(), paths.end(), indexPath) != paths.end();
        };
        // A letter whose index is missing is left alone: treating it as empty
        // would delete all of its files.
        if (listed(report.Missing) || listed(report.Unreadable)) {
            summary.Errors.push_back("cannot read " + indexPath + ": letter " +
                                     dictionary::LetterKey(tab) + " left as it is");
            continue;
        }
        Letter letter;
        letter.Folder = LetterFolder(waveDir, tab);
        const dictionary::LetterIndex& words = index.Letter(tab);
        for (std::size_t p = 0; p < words.Size(); ++p) {
            if (words.Article(p).IsBase != 0) {
                letter.Entries.push_back(
                    {words.SoundNumbers()[p], platform::Cp1251ToUtf8(words.HeadWord(p))});
            }
        }
        std::error_code ec;
        if (!letter.Entries.empty() || std::filesystem::exists(letter.Folder, ec)) {
            letters.push_back(std::move(letter));
        }
    }
    return letters;
}

void RemoveStale(const std::vector<Letter>& letters, Summary& summary) {
    for (const Letter& letter : letters) {
        for (const std::filesystem::path& stale : letter.Plan.Stale) {
            std::error_code ec;
            if (std::filesystem::remove(stale, ec)) {
                ++summary.Removed;
            } else if (ec) {
                summary.Errors.push_back("cannot remove " + stale.string() + ": " + ec.message());
            }
        }
    }
}

// The manifest lists only files known to be right, so that a failed or
// interrupted file is made again next time. An unchanged manifest is not
// rewritten.
void WriteManifests(const std::vector<Letter>& letters, const std::vector<bool>& ok,
                    const std::string& signature, Summary& summary) {
    for (const Letter& letter : letters) {
        std::vector<bool> good(letter.Entries.size(), true);
        for (std::size_t j = 0; j < letter.Plan.Jobs.size(); ++j) {
            good[letter.Plan.Jobs[j]] = ok[letter.FirstJob + j];
        }
        std::vector<Entry> listed;
        for (std::size_t i = 0; i < letter.Entries.size(); ++i) {
            if (good[i]) {
                listed.push_back(letter.Entries[i]);
            }
        }
        const std::string text = FormatManifest(signature, listed);
        const std::filesystem::path path = letter.Folder / kManifestName;
        if (ReadFileText(path) == text) {
            continue;
        }
        try {
            WriteFileAtomically(path, text);
        } catch (const std::exception& error) {
            summary.Errors.emplace_back(error.what());
        }
    }
}

} // namespace

std::filesystem::path LetterFolder(const std::filesystem::path& waveDir, int tab) {
    return waveDir / dictionary::LetterKey(tab);
}

Summary Generate(const Options& options, Progress& progress) {
    dictionary::DictionaryIndex index;
    const dictionary::LoadReport report = index.Load(options.DictDir);
    if (report.NoDictionary()) {
        throw std::runtime_error("no dictionary index files in " + options.DictDir.string());
    }
    const std::filesystem::path waveDir =
        options.WaveDir.empty() ? options.DictDir / "wave" : options.WaveDir;

    Summary summary;
    std::vector<Letter> letters = CollectLetters(index, report, waveDir, summary);
    CheckFolderPlace(waveDir);
    for (const Letter& letter : letters) {
        CheckFolderPlace(letter.Folder);
    }
    MakeFolder(waveDir);

    const std::string signature = CurrentSignature();
    std::vector<Job> jobs;
    for (Letter& letter : letters) {
        MakeFolder(letter.Folder);
        letter.Plan = PlanLetter(letter.Folder, letter.Entries,
                                 ReadManifest(letter.Folder / kManifestName), signature);
        letter.FirstJob = jobs.size();
        for (const std::size_t i : letter.Plan.Jobs) {
            const Entry& entry = letter.Entries[i];
            jobs.push_back({letter.Folder / FileNameOfNumber(entry.Number), entry.HeadWord});
        }
        summary.Words += letter.Entries.size();
        summary.UpToDate += letter.Plan.UpToDate;
    }
    RemoveStale(letters, summary);

    const int workers = options.Jobs > 0
                            ? options.Jobs
                            : std::max(1, static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    progress.Begin(jobs.size());
    const std::vector<bool> ok = RunJobs(jobs, workers, progress, summary);
    progress.End();
    summary.Written = static_cast<std::size_t>(std::count(ok.begin(), ok.end(), true));
    WriteManifests(letters, ok, signature, summary);
    return summary;
}

} // namespace wavegen
