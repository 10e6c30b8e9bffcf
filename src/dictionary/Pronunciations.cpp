#include "dictionary/Pronunciations.h"

#include "dictionary/Letters.h"
#include "platform/Paths.h"

namespace dictionary {

std::filesystem::path PronunciationFile(const std::filesystem::path& dataDir, int tab,
                                        const std::string& soundNumber) {
    if (!IsEnglishTab(tab) || soundNumber.empty()) {
        return {};
    }
    const std::filesystem::path perLetter =
        platform::ResolvePath(dataDir, "\\wave\\" + LetterKey(tab) + "\\" + soundNumber + ".mp3");
    std::error_code ec;
    if (std::filesystem::exists(perLetter, ec)) {
        return perLetter;
    }
    return platform::ResolvePath(dataDir, "\\wave\\" + soundNumber + ".mp3");
}

} // namespace dictionary
