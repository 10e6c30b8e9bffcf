#include "export/DictionaryWords.h"

#include "dictionary/Letters.h"
#include "dictionary/Pronunciations.h"
#include "export/ArticleHtml.h"
#include "platform/Cp1251.h"

namespace exporting {

std::optional<TExportWord> TDictionaryWords::Find(std::string_view entry) const {
    const int tab = dictionary::TabOfWord(entry);
    const int position = dictionary_.FindHeadWord(tab, entry);
    if (position < 0) {
        return std::nullopt;
    }
    const auto p = static_cast<std::size_t>(position);
    const dictionary::LetterIndex& letter = dictionary_.Index().Letter(tab);
    TExportWord word;
    word.HeadWord = std::string(letter.HeadWord(p));
    word.ArticleRtf = dictionary_.ReadArticle(tab, position);
    word.Transcription =
        SplitArticle(word.ArticleRtf, platform::Cp1251ToUtf8(word.HeadWord)).Transcription;
    std::error_code ec;
    const std::filesystem::path sound =
        dictionary::PronunciationFile(dataDir_, tab, letter.SoundNumber(p));
    if (!sound.empty() && std::filesystem::is_regular_file(sound, ec)) {
        word.Sound = sound;
    }
    return word;
}

} // namespace exporting
