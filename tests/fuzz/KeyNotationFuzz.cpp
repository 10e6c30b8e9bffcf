// The sources' transcriptions written in the pronunciation key's notation, on
// any text: the first line is the head-word, each further line one source
// transcription. Whatever comes in, what comes out is the key's symbols,
// stress marks and blanks, in at most two variants.
#include "dictool/KeyNotation.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Whether text can be read as a row of the key's symbols, stress marks and
// blanks. The symbols share letters (ei, eiə, əː), so every way of reading
// it counts, not only the one that takes the longest symbol first.
bool InKeyNotation(std::string_view text) {
    static const std::vector<std::string> symbols = [] {
        std::vector<std::string> all = dictool::KeySymbols();
        all.insert(all.end(), {"ˈ", "ˌ", " "});
        return all;
    }();
    std::vector<bool> reached(text.size() + 1, false);
    reached[0] = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!reached[at]) {
            continue;
        }
        for (const std::string& symbol : symbols) {
            if (text.substr(at, symbol.size()) == symbol) {
                reached[at + symbol.size()] = true;
            }
        }
    }
    return reached[text.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    const std::string headWord = lines.front();
    lines.erase(lines.begin());
    const std::vector<std::string> shown = dictool::KeyTranscriptions(lines, headWord);
    fuzz::Check(shown.size() <= 2, "more than two variants");
    for (const std::string& variant : shown) {
        fuzz::Check(!variant.empty(), "an empty variant");
        fuzz::Check(InKeyNotation(variant), "a symbol the key does not explain");
    }
    for (const std::string& line : lines) {
        fuzz::Check(InKeyNotation(dictool::ToKeyNotation(line).Text),
                    "a conversion with a symbol the key does not explain");
    }
    return 0;
}
