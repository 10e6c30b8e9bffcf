#include "dictionary/LetterIndex.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <cerrno>

namespace dictionary {

void LetterIndex::Assign(std::vector<char> fileContent, bool english) {
    Buffer = std::move(fileContent);
    english_ = english;
    Rebuild();
}

void LetterIndex::Insert(std::size_t p, const IndexRecord& record) {
    const std::size_t whole = Records.size() * sizeof(IndexRecord);
    Buffer.resize(whole);
    p = std::min(p, Records.size());
    const auto* bytes = reinterpret_cast<const char*>(&record);
    Buffer.insert(Buffer.begin() + static_cast<std::ptrdiff_t>(p * sizeof(IndexRecord)), bytes,
                  bytes + sizeof(IndexRecord));
    Rebuild();
}

void LetterIndex::Rebuild() {
    const std::size_t count = Buffer.size() / sizeof(IndexRecord);
    HeadWords.clear();
    Records.clear();
    SoundNumbers.clear();
    HeadWords.reserve(count);
    Records.reserve(count);
    if (english_) {
        SoundNumbers.reserve(count);
    }
    std::uint32_t baseCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto* record =
            reinterpret_cast<const IndexRecord*>(Buffer.data() + i * sizeof(IndexRecord));
        HeadWords.push_back(record->HeadWord());
        Records.push_back(record);
        if (english_) {
            SoundNumbers.push_back(record->IsBase != 0 ? ++baseCount : 0);
        }
    }
}

std::string LetterIndex::SoundNumber(std::size_t p) const {
    return p < SoundNumbers.size() ? std::to_string(SoundNumbers[p]) : std::string();
}

std::string LoadReport::Message() const {
    if (NoDictionary()) {
        return "No dictionary was found in \"" + StartDir.string() +
               "\": its folders eg and bg hold none of the 58 index files.";
    }
    std::string text;
    auto list = [&text](const char* what, const std::vector<std::string>& names) {
        if (names.empty()) {
            return;
        }
        text += text.empty() ? "" : "\n";
        text += what;
        for (std::size_t i = 0; i < names.size(); ++i) {
            text += (i == 0 ? " " : ", ") + names[i];
        }
        text += ".";
    };
    list("These index files are missing, their letters are empty:", Missing);
    list("These index files cannot be read, their letters are empty:", Unreadable);
    return text;
}

LoadReport DictionaryIndex::Load(const std::filesystem::path& startDir, const Progress& progress) {
    startDir_ = startDir;
    LoadReport report;
    report.StartDir = startDir;
    for (int tab = 0; tab < kLetterCount; ++tab) {
        if (progress && !IsEnglishTab(tab)) {
            progress(tab, LoadStep::BeforeRead);
        }
        const std::filesystem::path path = IndexPath(tab);
        std::vector<char> content;
        const int failure = platform::ReadWholeFile(path, content, kMaxIndexFileBytes);
        if (failure == ENOENT) {
            report.Missing.push_back(path.string());
        } else if (failure != 0) {
            report.Unreadable.push_back(path.string() + " (" + platform::FileErrorText(failure) +
                                        ")");
        }
        letters_[static_cast<std::size_t>(tab)].Assign(std::move(content), IsEnglishTab(tab));
        if (progress) {
            progress(tab, LoadStep::AfterRead);
        }
    }
    return report;
}

std::filesystem::path DictionaryIndex::IndexPath(int tab) const {
    return platform::ResolvePath(startDir_, IndexFragment(tab));
}

std::filesystem::path DictionaryIndex::ArticlePath(int tab, const IndexRecord& record) const {
    return platform::ResolvePath(startDir_, ArticleFragment(tab, record.IsBase != 0));
}

} // namespace dictionary
