#include "exercises/StudyWordSteps.h"

#include "dictionary/Letters.h"
#include "dictionary/Lookup.h"

namespace exercises {

int LetterTabOfWord(const std::string& word) {
    return dictionary::TabOfWord(word);
}

TStudyWordHit SelectStudyWord(TLookupSteering& lookup, const std::string& word,
                              bool putHeadWordInBox) {
    TStudyWordHit hit;
    hit.Tab = lookup.SetTabIndex(LetterTabOfWord(word));
    lookup.FillSearchBox();
    int position = -1;
    if (!word.empty() && dictionary::IsValidTab(hit.Tab)) {
        const dictionary::LetterIndex& letter = lookup.Index().Letter(hit.Tab);
        position = dictionary::FindWord(letter.HeadWords, word);
        if (position >= 0) {
            hit.Position = position;
            hit.HeadWord = std::string(letter.HeadWords[static_cast<std::size_t>(position)]);
            hit.IsBase = letter.Articles[static_cast<std::size_t>(position)].IsBase != 0;
        }
    }
    lookup.SetSearchBoxItemIndex(position);
    if (putHeadWordInBox) {
        lookup.SetSearchBoxText(hit.HeadWord);
    }
    return hit;
}

std::string ReadStudyArticle(const TLookupSteering& lookup, const TStudyWordHit& hit) {
    if (!hit.Found()) {
        return {};
    }
    return lookup.ReadArticle(hit.Tab, hit.Position);
}

} // namespace exercises
