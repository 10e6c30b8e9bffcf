#include "wavegen/Cli.h"

#include "wavegen/Generator.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>

namespace wavegen {

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: wavegen DICTDIR [-o WAVEDIR] [-j N]\n"
           "\n"
           "Speaks every English head-word of the dictionary in DICTDIR (its eg/ index\n"
           "files) with espeak-ng's English voice and writes it as an MP3 file\n"
           "WAVEDIR/<letter>/<sound number>.mp3, the letter being a..z and the sound\n"
           "number the head-word's count among the letter's base words.\n"
           "\n"
           "Only missing files and files whose head-word changed are made again; each\n"
           "letter folder keeps a manifest.txt of what its files hold. Numbered files\n"
           "beyond a letter's count are removed.\n"
           "\n"
           "Options:\n"
           "  -o, --output WAVEDIR  where to write (default DICTDIR/wave)\n"
           "  -j, --jobs N          worker processes (default: one per CPU)\n"
           "  -h, --help            show this text\n"
           "\n"
           "Exit status: 0 all files are in place, 1 some could not be made or the\n"
           "dictionary could not be read, 2 wrong usage.\n";
}

int Usage(std::ostream& err, const std::string& message) {
    err << "wavegen: " << message << "\nTry 'wavegen --help'.\n";
    return kExitUsage;
}

std::optional<int> ParseJobs(const std::string& text) {
    int jobs = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (ec != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > 256) {
        return std::nullopt;
    }
    return jobs;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            PrintHelp(out);
            return kExitOk;
        }
        if (arg == "-o" || arg == "--output" || arg == "-j" || arg == "--jobs") {
            if (i + 1 == args.size()) {
                return Usage(err, arg + " needs a value");
            }
            const std::string& value = args[++i];
            if (arg == "-o" || arg == "--output") {
                options.WaveDir = value;
            } else if (const std::optional<int> jobs = ParseJobs(value)) {
                options.Jobs = *jobs;
            } else {
                return Usage(err, "-j needs a number from 1 to 256, not '" + value + "'");
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            return Usage(err, "unknown option '" + arg + "'");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        return Usage(err, positional.empty() ? "no DICTDIR given" : "only one DICTDIR, please");
    }
    options.DictDir = positional.front();
    if (options.WaveDir.empty()) {
        options.WaveDir = options.DictDir / "wave";
    }

    const auto start = std::chrono::steady_clock::now();
    Progress progress(err, errIsTerminal);
    Summary summary;
    try {
        summary = Generate(options, progress);
    } catch (const std::exception& error) {
        err << "wavegen: " << error.what() << '\n';
        return kExitFailed;
    }
    for (const std::string& message : summary.Errors) {
        err << "wavegen: " << message << '\n';
    }
    if (summary.Failed > 0) {
        err << "wavegen: " << summary.Failed << " files could not be made\n";
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", elapsed.count());
    out << "wavegen: " << summary.Words << " head-words in " << options.WaveDir.string() << ": "
        << summary.Written << " made, " << summary.UpToDate << " up to date, " << summary.Removed
        << " removed, " << summary.Failed << " failed (" << seconds << " s)\n";
    return summary.Ok() ? kExitOk : kExitFailed;
}

} // namespace wavegen
