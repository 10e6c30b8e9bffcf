#include "platform/Paths.h"

#include "platform/Cp1251.h"

#include <system_error>

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

} // namespace platform
