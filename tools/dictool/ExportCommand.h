#pragma once

#include <string>
#include <vector>

namespace dictool {

// dictool export --dir DIR --list LIST -o OUT.apkg|OUT.tsv [--replace]: the
// study list LIST (code page 1251, one entry a line) as an Anki package or
// tab-separated text, with the articles and pronunciations of DIR. The exit
// status: 0 written, 1 failure, 2 wrong usage.
int ExportCommand(const std::vector<std::string>& args);

} // namespace dictool
