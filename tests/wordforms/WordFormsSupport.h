#pragma once

#include "platform/Cp1251.h"
#include "wordforms/FormTable.h"
#include "wordforms/WordForms.h"

#include <string>
#include <string_view>
#include <vector>

// Small word-form data written by hand: head-words, readings and scores in
// UTF-8, turned into the tables the data build would write.
namespace wordforms::testing {

inline std::string Cp(std::string_view utf8) {
    return platform::Utf8ToCp1251(utf8).value();
}

struct Reading {
    std::string Form;
    std::string Base;
    TFormSource Source;
};

inline TFormTable FormsTable(const std::vector<Reading>& readings) {
    std::vector<TTableRecord> records;
    for (const Reading& r : readings) {
        records.push_back({Fold(Cp(r.Form)), Cp(r.Base), static_cast<std::uint32_t>(r.Source)});
    }
    std::string problem;
    return TFormTable::Parse(WriteFormTable(records, TTableKind::Forms), TTableKind::Forms, problem)
        .value();
}

inline std::string
FrequencyBytes(const std::vector<std::pair<std::string, std::uint32_t>>& scores) {
    std::vector<TTableRecord> records;
    for (const auto& [word, score] : scores) {
        records.push_back({Fold(Cp(word)), {}, score});
    }
    return WriteFormTable(records, TTableKind::Frequency);
}

inline TFormTable FrequencyTable(const std::vector<std::pair<std::string, std::uint32_t>>& scores) {
    std::string problem;
    return TFormTable::Parse(FrequencyBytes(scores), TTableKind::Frequency, problem).value();
}

inline THeadWords HeadWordsOf(const std::vector<std::string>& utf8) {
    std::vector<std::string> words;
    for (const std::string& word : utf8) {
        words.push_back(Cp(word));
    }
    return THeadWords(words);
}

} // namespace wordforms::testing
