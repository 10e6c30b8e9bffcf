#include "platform/Paths.h"

#include "platform/Cp1251.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

std::filesystem::path MatchComponent(const std::filesystem::path& dir, std::string_view name) {
    std::error_code ec;
    const std::filesystem::path exact = dir / std::string(name);
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) {
        return exact;
    }
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualsAsciiNoCase(entry, name)) {
            return it->path();
        }
    }
    return exact;
}

} // namespace

std::filesystem::path ResolvePath(const std::filesystem::path& base, std::string_view fragment) {
    std::filesystem::path result = base;
    std::size_t start = 0;
    while (start <= fragment.size()) {
        std::size_t end = fragment.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = fragment.size();
        }
        const std::string_view component = fragment.substr(start, end - start);
        if (!component.empty()) {
            result = MatchComponent(result, component);
        }
        start = end + 1;
    }
    return result;
}

namespace {

// An environment variable that names an absolute folder; empty otherwise.
std::filesystem::path AbsoluteFolder(const TStartPlace& place, const std::string& name) {
    const auto found = place.Environment.find(name);
    if (found == place.Environment.end() || found->second.empty()) {
        return {};
    }
    const std::filesystem::path folder(found->second);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

// The user's XDG folder: the variable, else the default below the home
// folder, else nothing.
std::filesystem::path UserFolder(const TStartPlace& place, const std::string& name,
                                 const std::filesystem::path& belowHome) {
    if (std::filesystem::path folder = AbsoluteFolder(place, name); !folder.empty()) {
        return folder;
    }
    const std::filesystem::path home = AbsoluteFolder(place, "HOME");
    return home.empty() ? home : home / belowHome;
}

} // namespace

TPaths::TPaths(TAnswers answers, bool installed)
    : answers_(std::move(answers)), installed_(installed) {}

TStartPlace TStartPlace::ThisProcess() {
    TStartPlace place;
    std::error_code ec;
    place.WorkingDirectory = std::filesystem::current_path(ec);
    place.WorkingDirectoryHoldsDictionary =
        std::filesystem::is_directory(ResolvePath(place.WorkingDirectory, "eg"), ec) &&
        std::filesystem::is_directory(ResolvePath(place.WorkingDirectory, "bg"), ec);
    place.Executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            place.Environment[name] = value;
        }
    }
    if (!place.Environment.contains("HOME")) {
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir) {
            place.Environment["HOME"] = user->pw_dir;
        }
    }
    return place;
}

TPaths TPaths::ForStart(const TStartPlace& place) {
    if (place.WorkingDirectoryHoldsDictionary) {
        const std::filesystem::path& now = place.WorkingDirectory;
        return TPaths({now, {}, now, now, now / kPlayFileName});
    }
    const std::filesystem::path shared =
        (place.Executable.parent_path() / ".." / "share" / kProgramFolder).lexically_normal();
    const std::filesystem::path data = UserFolder(place, "XDG_DATA_HOME", ".local/share");
    const std::filesystem::path state = data.empty() ? data : data / kProgramFolder;
    std::filesystem::path run = AbsoluteFolder(place, "XDG_RUNTIME_DIR");
    if (run.empty()) {
        run = UserFolder(place, "XDG_CACHE_HOME", ".cache");
    }
    const std::filesystem::path play = run.empty() ? run : run / kProgramFolder / kPlayFileName;
    return TPaths({shared, shared, state, state, play}, true);
}

TPaths TPaths::FromWorkingDirectory() {
    // An unreadable working directory leaves relative names, which the
    // system resolves against it all the same.
    TStartPlace place;
    std::error_code ec;
    place.WorkingDirectory = std::filesystem::current_path(ec);
    place.WorkingDirectoryHoldsDictionary = true;
    return ForStart(place);
}

TPaths TPaths::Below(const std::filesystem::path& folder) {
    return TPaths({folder, folder, folder, folder, folder / kPlayFileName});
}

std::filesystem::path TPaths::DataDir() const {
    if (!answers_.Data.empty()) {
        return answers_.Data;
    }
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

std::filesystem::path TPaths::DataFile(std::string_view fragment) const {
    return ResolvePath(DataDir(), fragment);
}

std::filesystem::path TPaths::StateFile(std::string_view name) const {
    return answers_.State / std::string(name);
}

} // namespace platform
