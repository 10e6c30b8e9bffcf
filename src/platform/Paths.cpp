#include "platform/Paths.h"

#include "platform/Cp1251.h"

#include <system_error>
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

TPaths::TPaths(TAnswers answers) : answers_(std::move(answers)) {}

TPaths TPaths::FromWorkingDirectory() {
    // An unreadable working directory leaves relative names, which the
    // system resolves against it all the same.
    std::error_code ec;
    const std::filesystem::path now = std::filesystem::current_path(ec);
    return TPaths({now, {}, now, now, now / kPlayFileName});
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
