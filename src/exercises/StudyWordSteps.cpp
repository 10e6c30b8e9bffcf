#include "exercises/StudyWordSteps.h"

#include "dictionary/Letters.h"

namespace exercises {

TStudyWordHit SelectStudyWord(TLookupSteering& lookup, const std::string& word,
                              bool putHeadWordInBox) {
    TStudyWordHit hit;
    hit.Tab = lookup.SetTabIndex(dictionary::TabOfWord(word));
    lookup.FillSearchBox();
    const dictionary::TLookupService& dictionary = lookup.Dictionary();
    const int position = word.empty() ? -1 : dictionary.FindPrefix(hit.Tab, word);
    if (position >= 0) {
        const auto p = static_cast<std::size_t>(position);
        hit.Position = position;
        hit.HeadWord = std::string(dictionary.Index().Letter(hit.Tab).HeadWord(p));
        hit.IsBase = dictionary.Index().Letter(hit.Tab).Article(p).IsBase != 0;
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
