#pragma once

#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"

#include <optional>
#include <string>
#include <string_view>

namespace dictionary {

// What a resolver of word forms made of a word: the head-word to show for it
// and, for the user, what was resolved ("went": a form of "go"). Texts are
// code page 1251.
struct TResolvedWord {
    std::string HeadWord;
    std::string Note; // may be empty
};

// Where word forms and spelling suggestions plug into the look-up of outside
// text. The look-up asks only for a word that is not a head-word of its
// letter (without regard to case), before it shortens the word.
class TWordResolver {
public:
    virtual ~TWordResolver() = default;
    // Nothing when the resolver knows no head-word for the word. A head-word
    // the index does not hold is passed over.
    virtual std::optional<TResolvedWord> Resolve(std::string_view word) const = 0;
};

// Where a look-up of outside text settled: the letter it selected and the
// position of the head-word found there (-1: none; the letter's list is then
// shown with no selection).
struct TTextLookup {
    int Tab = kNoTab;
    int Position = -1;
    // The beginning of the text that was found (empty if none); the whole
    // word when the resolver found it.
    std::string Word;
    // Set when the resolver found the head-word; empty otherwise.
    std::optional<TResolvedWord> Resolved;
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
    // length). A head-word of the word's letter equal to it without regard
    // to case is found as a prefix is; else the resolver, when one is set,
    // may name the head-word; else the word is shortened from its end until
    // some head-word of its letter begins with it. Nothing when the text is
    // empty, spaces only, or starts with a character that maps to no letter.
    std::optional<TTextLookup> FindText(std::string_view text) const;

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
    void SetResolver(const TWordResolver* resolver) { resolver_ = resolver; }
    const TWordResolver* Resolver() const { return resolver_; }

private:
    bool Holds(int tab, int position) const;
    bool HoldsNoCase(int tab, std::string_view word, int prefixPosition) const;

    const DictionaryIndex& index_;
    const TWordResolver* resolver_ = nullptr;
};

} // namespace dictionary
