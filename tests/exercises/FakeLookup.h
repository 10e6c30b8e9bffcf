#pragma once

#include "dictionary/LookupService.h"
#include "exercises/MainWindowSeams.h"

#include <string>
#include <vector>

// The main window's letter tabs, search box and index as plain state over a
// loaded dictionary, with the article read as the main window reads it.
class FakeLookup : public exercises::TLookupSteering {
public:
    explicit FakeLookup(const std::filesystem::path& dir) { index_.Load(dir); }

    const dictionary::TLookupService& Dictionary() const override { return dictionary_; }
    int TabIndex() const override { return tab_; }
    int SetTabIndex(int tab) override {
        if (dictionary::IsValidTab(tab)) {
            tab_ = tab;
        }
        return tab_;
    }
    void FillSearchBox() override {
        items_ = index_.Letter(tab_).HeadWords();
        itemIndex_ = -1;
        text_.clear();
        ++Fills;
    }
    int SearchBoxItemIndex() const override { return itemIndex_; }
    void SetSearchBoxItemIndex(int position) override {
        itemIndex_ = position >= 0 && position < static_cast<int>(items_.size()) ? position : -1;
        text_ = itemIndex_ >= 0 ? std::string(items_[static_cast<std::size_t>(itemIndex_)])
                                : std::string();
    }
    std::string SearchBoxText() const override { return text_; }
    void SetSearchBoxText(const std::string& text) override { text_ = text; }
    void SearchBoxChanged() override { ++Changes; }
    void FocusSearchBox() override { ++Focused; }
    void ClearArticle() override { ++Clears; }
    std::string ReadArticle(int tab, int position) const override {
        ArticleReads.push_back(
            index_.ArticlePath(tab, index_.Letter(tab).Record(static_cast<std::size_t>(position))));
        return dictionary_.ReadArticle(tab, position);
    }

    int Fills = 0;
    int Changes = 0;
    int Focused = 0;
    int Clears = 0;
    mutable std::vector<std::filesystem::path> ArticleReads;

private:
    dictionary::DictionaryIndex index_;
    dictionary::TLookupService dictionary_{index_};
    int tab_ = 0;
    std::vector<std::string_view> items_;
    int itemIndex_ = -1;
    std::string text_;
};
