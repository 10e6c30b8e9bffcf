#include "wordforms/WordForms.h"

#include "dictionary/LetterIndex.h"
#include "platform/FileIo.h"
#include "wordforms/EnglishRules.h"
#include "wordforms/Homographs.h"

#include <algorithm>
#include <cerrno>

namespace wordforms {

namespace {

// Far above what the data build writes (a few megabytes): a larger file is
// refused rather than read.
constexpr std::uintmax_t kMaxFileBytes = 256 << 20;

} // namespace

TFormResolver::TFormResolver(THeadWords headWords, TFormTable forms, TFormTable frequency)
    : forms_(std::move(forms)), frequency_(std::move(frequency)) {
    Renew(std::move(headWords));
}

void TFormResolver::Renew(THeadWords headWords) {
    headWords_ = std::move(headWords);
    headWords_.SetFrequencies(frequency_);
}

namespace {

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) {
        ++n;
    }
    return n;
}

} // namespace

std::optional<std::string_view>
TFormResolver::MostFrequent(std::string_view folded, const std::vector<std::string>& bases) const {
    // Equally frequent bases: the one that keeps more of the form ("питания"
    // is of "питане" rather than "питам"), then the one found first.
    std::optional<std::string_view> best;
    std::pair<std::uint32_t, std::size_t> bestRank{0, 0};
    for (const std::string& base : bases) {
        const auto headWord = headWords_.Find(base);
        if (!headWord) {
            continue;
        }
        const std::pair<std::uint32_t, std::size_t> rank{headWords_.Frequency(*headWord),
                                                         CommonPrefix(Fold(base), folded)};
        if (!best || rank > bestRank) {
            best = headWord;
            bestRank = rank;
        }
    }
    return best;
}

std::vector<std::string> TFormResolver::StoredBases(std::string_view folded,
                                                    TFormSource source) const {
    std::vector<std::string> bases;
    for (const auto& record : forms_.Find(folded)) {
        if (record.Value == static_cast<std::uint32_t>(source)) {
            bases.emplace_back(record.Word);
        }
    }
    return bases;
}

std::optional<TResolvedForm> TFormResolver::Resolve(std::string_view text) const {
    const std::string_view word = FirstWord(text);
    if (KeepsItsAnswer(text, word)) {
        return std::nullopt;
    }
    const std::string folded = Fold(word);
    TResolvedForm result;
    std::optional<std::string_view> base;
    switch (AlphabetOf(word)) {
    case TAlphabet::Latin:
        if ((base = MostFrequent(folded, StoredBases(folded, TFormSource::Irregular)))) {
            result.Source = TFormSource::Irregular;
        } else if ((base = MostFrequent(folded, SuffixBases(folded)))) {
            result.Source = TFormSource::Suffix;
        } else if ((base = MostFrequent(folded, StoredBases(folded, TFormSource::EnglishStem)))) {
            result.Source = TFormSource::EnglishStem;
        }
        break;
    case TAlphabet::Cyrillic:
        if (!TakesNoStemReading(folded) &&
            (base = MostFrequent(folded, StoredBases(folded, TFormSource::BulgarianStem)))) {
            result.Source = TFormSource::BulgarianStem;
        }
        break;
    case TAlphabet::None:
        break;
    }
    if (!base) {
        return std::nullopt;
    }
    result.From = std::string(word);
    result.HeadWord = std::string(*base);
    for (const std::string_view phrase : headWords_.PhrasesOf(word, kMaxPhrases)) {
        result.Phrases.emplace_back(phrase);
    }
    return result;
}

bool TFormResolver::KeepsItsAnswer(std::string_view text, std::string_view word) const {
    return word.empty() || word.size() > kMaxWordLength || headWords_.Find(word) ||
           headWords_.Find(UncutFirstWord(text).substr(0, kMaxWordLength)) ||
           headWords_.BeginsWithPhrase(text);
}

std::vector<std::string> TFormResolver::Suggest(std::string_view text, std::size_t max) const {
    std::vector<std::string> suggestions;
    const std::string_view first = FirstWord(text);
    // A head-word followed by a comma is not misspelt.
    if (KeepsItsAnswer(text, first)) {
        return suggestions;
    }
    for (const std::string_view word : headWords_.Suggest(first, max)) {
        suggestions.emplace_back(word);
    }
    return suggestions;
}

std::string TLoadProblem::Message() const {
    std::string message = "Word forms and suggestions are off: file \"";
    message += File.string();
    switch (Kind) {
    case TKind::Missing:
        message += "\" is missing.";
        return message;
    case TKind::Unreadable:
        message += "\" cannot be read (";
        break;
    case TKind::Damaged:
        message += "\" is damaged (";
        break;
    }
    message += Detail;
    message += ").";
    return message;
}

std::filesystem::path FormIndexPath(const std::filesystem::path& dataDir) {
    return dataDir / "forms" / "wordforms.dat";
}

std::filesystem::path FrequencyPath(const std::filesystem::path& dataDir) {
    return dataDir / "forms" / "frequency.dat";
}

std::optional<TFormTable> ReadFormTable(const std::filesystem::path& path, TTableKind kind,
                                        std::optional<TLoadProblem>& problem) {
    std::string bytes;
    if (const int failure = platform::ReadWholeFile(path, bytes, kMaxFileBytes).Errno();
        failure != 0) {
        problem = TLoadProblem{failure == ENOENT ? TLoadProblem::TKind::Missing
                                                 : TLoadProblem::TKind::Unreadable,
                               path, platform::FileErrorText(failure), failure};
        return std::nullopt;
    }
    std::string why;
    auto table = TFormTable::Parse(std::move(bytes), kind, why);
    if (!table) {
        problem = TLoadProblem{TLoadProblem::TKind::Damaged, path, why};
    }
    return table;
}

TLoaded LoadWordForms(const std::filesystem::path& dataDir, THeadWords headWords) {
    TLoaded loaded;
    auto forms = ReadFormTable(FormIndexPath(dataDir), TTableKind::Forms, loaded.Problem);
    if (!forms) {
        return loaded;
    }
    auto frequency = ReadFormTable(FrequencyPath(dataDir), TTableKind::Frequency, loaded.Problem);
    if (!frequency) {
        return loaded;
    }
    loaded.Resolver.emplace(std::move(headWords), std::move(*forms), std::move(*frequency));
    return loaded;
}

namespace {

std::size_t HeadWordCount(const dictionary::DictionaryIndex& index) {
    std::size_t count = 0;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        count += index.Letter(tab).Size();
    }
    return count;
}

} // namespace

TWordForms::TWordForms(std::filesystem::path dataDir, const dictionary::DictionaryIndex& index)
    : dataDir_(std::move(dataDir)), index_(index) {}

const TFormResolver* TWordForms::Ready() {
    if (problem_) {
        return nullptr;
    }
    const std::size_t count = HeadWordCount(index_);
    if (!resolver_) {
        TLoaded loaded = LoadWordForms(dataDir_, THeadWords::FromIndex(index_));
        if (!loaded.Resolver) {
            problem_ = std::move(loaded.Problem);
            return nullptr;
        }
        resolver_ = std::move(loaded.Resolver);
    } else if (count != headWordCount_) {
        resolver_->Renew(THeadWords::FromIndex(index_));
    }
    headWordCount_ = count;
    return &*resolver_;
}

std::optional<TResolvedForm> TWordForms::Resolve(std::string_view text) {
    if (FirstWord(text).empty()) {
        return std::nullopt;
    }
    const TFormResolver* resolver = Ready();
    return resolver != nullptr ? resolver->Resolve(text) : std::nullopt;
}

std::vector<std::string> TWordForms::Suggest(std::string_view text, std::size_t max) {
    if (FirstWord(text).empty()) {
        return {};
    }
    const TFormResolver* resolver = Ready();
    return resolver != nullptr ? resolver->Suggest(text, max) : std::vector<std::string>{};
}

} // namespace wordforms
