#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Turns a data-file fragment written with backslashes ("\eg\base_", "\wave\",
// "\rtf\\eng.rtf") into a path below base. Backslashes and slashes both
// separate, empty components are dropped, and a component that does not exist
// with its exact case is matched against the existing entries without regard
// to case, so "\WAVE\" and "\wave\" name the same folder. Components that do
// not exist at all are kept as written.
std::filesystem::path ResolvePath(const std::filesystem::path& base, std::string_view fragment);

} // namespace platform
