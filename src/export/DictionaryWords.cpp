#include "export/DictionaryWords.h"

#include "dictionary/Lookup.h"
#include "export/ArticleHtml.h"
#include "platform/Cp1251.h"
#include "platform/Paths.h"

namespace exporting {

namespace {

// The pronunciation of an English record: the letter's own folder first
// ("wave/h/12.mp3", as sound numbers restart for every letter), then the
// shared folder older data uses ("wave/12.mp3").
std::filesystem::path SoundFile(const std::filesystem::path& workingDir, int tab,
                                const std::string& soundNumber) {
    if (!dictionary::IsEnglishTab(tab) || soundNumber.empty()) {
        return {};
    }
    std::error_code ec;
    for (const std::string& fragment :
         {"\\wave\\" + dictionary::LetterKey(tab) + "\\" + soundNumber + ".mp3",
          "\\wave\\" + soundNumber + ".mp3"}) {
        const std::filesystem::path file = platform::ResolvePath(workingDir, fragment);
        if (std::filesystem::is_regular_file(file, ec)) {
            return file;
        }
    }
    return {};
}

} // namespace

std::optional<TExportWord> TDictionaryWords::Find(std::string_view entry) const {
    const int tab = dictionary::TabOfWord(entry);
    if (!dictionary::IsValidTab(tab)) {
        return std::nullopt;
    }
    const dictionary::LetterIndex& letter = index_.Letter(tab);
    // The first head-word the entry begins, then on through those that begin
    // the same way without regard to case, to the one that equals it.
    const int first = dictionary::FindWord(letter.HeadWords(), entry);
    if (first < 0) {
        return std::nullopt;
    }
    for (auto p = static_cast<std::size_t>(first);
         p < letter.Size() && platform::StartsWithNoCase(letter.HeadWord(p), entry); ++p) {
        if (letter.HeadWord(p) != entry) {
            continue;
        }
        TExportWord word;
        word.HeadWord = std::string(letter.HeadWord(p));
        word.ArticleRtf = dictionary::ReadArticle(index_, tab, static_cast<std::size_t>(p));
        word.Transcription =
            SplitArticle(word.ArticleRtf, platform::Cp1251ToUtf8(word.HeadWord)).Transcription;
        word.Sound = SoundFile(workingDir_, tab, letter.SoundNumber(p));
        return word;
    }
    return std::nullopt;
}

} // namespace exporting
