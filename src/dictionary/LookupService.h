#pragma once

#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// What a resolver of word forms made of a text: the word it looked at and
// its base head-word ("went": "go"), and the phrase head-words that begin
// with the word ("baking powder" for "baking"), which the base goes before.
// Texts are code page 1251.
struct TResolvedWord {
    std::string From;
    std::string HeadWord;
    std::vector<std::string> Phrases;
};

// Why a resolver answers nothing: a file it reads is missing, cannot be read
// or is damaged.
struct TResolverFault {
    std::filesystem::path File;
    int Errno = 0;      // the system's reason; 0 for a file read whole but damaged
    std::string Detail; // what was wrong with a damaged file, in English
};

// Where word forms and spelling suggestions plug into the look-up of outside
// text. It is asked only about a text whose word is no head-word of its
// letter in any case, and it may read its data on the first question.
class TWordResolver {
public:
    virtual ~TWordResolver() = default;
    // The base head-word of the text's first word; nothing when it knows
    // none. A head-word the index does not hold is passed over.
    virtual std::optional<TResolvedWord> Resolve(std::string_view text) = 0;
    // Head-words close to a misspelt first word, nearest first.
    virtual std::vector<std::string> Suggest(std::string_view text) = 0;
    // Why it answers nothing, given once: by the first call after its data
    // failed to load.
    virtual std::optional<TResolverFault> TakeFault() = 0;
};

// Where a look-up of outside text settled: the letter it selected and the
// position of the head-word found there (-1: none; the letter's list is then
// shown with no selection).
struct TTextLookup {
    int Tab = kNoTab;
    int Position = -1;
    // The beginning of the text that was found (empty if none); the whole
    // word when it is a head-word or the resolver found it.
    std::string Word;
    // Set when the resolver found the head-word; empty otherwise.
    std::optional<TResolvedWord> Resolved;
    // When the word is neither a head-word nor a form the resolver knows.
    std::vector<std::string> Suggestions;
    // Set by the look-up at which the resolver's data failed to load.
    std::optional<TResolverFault> Fault;
};

// Every look-up of the index: the exact head-word, the first head-word that
// begins with a text, the look-up of outside text, and the article at a
// position. A letter in head-word order is searched by halving; any other
// letter from its first head-word on, with the same results.
class TLookupService {
public:
    explicit TLookupService(const DictionaryIndex& index) : index_(index) {}

    const DictionaryIndex& Index() const { return index_; }

    // The first position of the letter whose head-word equals headWord byte
    // for byte; -1 when none does or the tab is no letter.
    int FindHeadWord(int tab, std::string_view headWord) const;

    // The first position of the letter, in list order, whose head-word begins
    // with text without regard to letter case (FindWord's rule); -1 when none
    // does or the tab is no letter. An empty text finds the first head-word.
    int FindPrefix(int tab, std::string_view text) const;

    // The look-up of double-clicked and copied text: leading spaces removed,
    // the text cut at its first space (and at the longest head-word's
    // length). Without a resolver: a head-word of the word's letter equal to
    // it without regard to case is found as a prefix is, else the word is
    // shortened from its end until some head-word of its letter begins with
    // it. With one: the head-word spelled exactly so, else one equal to it
    // in any case, else the base the resolver names, else the shortening
    // with the resolver's suggestions. Nothing when the text is empty,
    // spaces only, or starts with a character that maps to no letter.
    std::optional<TTextLookup> FindText(std::string_view text) const;

    // Only the resolver's step of FindText: Resolved, Tab and Position are
    // the base head-word of a form when the text's word is no head-word in
    // any case and the resolver names a base the index holds; otherwise Tab
    // is the word's letter and Position -1. Fault as in FindText; nothing as
    // in FindText.
    std::optional<TTextLookup> FindForm(std::string_view text) const;

    // The resolver's suggestions for the text; none without a resolver.
    std::vector<std::string> Suggest(std::string_view text) const;

    // The head-word at a position; nothing outside the index.
    std::optional<std::string_view> HeadWordAt(int tab, int position) const;

    // The article at a position as the article pane reads it, with what was
    // found wrong; nothing outside the index.
    std::optional<TArticleRead> ReadArticleChecked(int tab, int position) const;
    // Its RTF bytes alone: empty outside the index or when nothing can be
    // read.
    std::string ReadArticle(int tab, int position) const;

    // The resolver FindText consults; nullptr, the default, for none. It must
    // outlive the service or be removed first.
    void SetResolver(TWordResolver* resolver) { resolver_ = resolver; }
    TWordResolver* Resolver() const { return resolver_; }

private:
    bool Holds(int tab, int position) const;
    bool HoldsNoCase(int tab, std::string_view word, int prefixPosition) const;
    // The resolver's base of the text's word (known to be no head-word),
    // written into result with the base's letter; false when there is none.
    bool ResolveForm(std::string_view text, std::string_view word, TTextLookup& result) const;
    void TakeFault(TTextLookup& result) const;

    const DictionaryIndex& index_;
    TWordResolver* resolver_ = nullptr;
};

} // namespace dictionary
