#include "tests/dictionary/TestDictionary.h"

#include "dictionary/Letters.h"
#include "platform/Paths.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

TestDictionary::TestDictionary() : written_(dictionary::kLetterCount, false) {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("dict-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_ / "eg");
    std::filesystem::create_directories(dir_ / "bg");
}

TestDictionary::~TestDictionary() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void TestDictionary::WriteRaw(const std::string& fragment, const std::string& bytes) {
    std::ofstream(platform::ResolvePath(dir_, fragment), std::ios::binary | std::ios::trunc)
        << bytes;
}

void TestDictionary::WriteLetter(int tab, const std::vector<Word>& words) {
    std::string index;
    std::string base;
    std::string user;
    for (const Word& word : words) {
        std::string& file = word.IsBase != 0 ? base : user;
        dictionary::IndexRecord record;
        dictionary::MakeRecord(record, word.HeadWord, static_cast<std::int32_t>(file.size()),
                               static_cast<std::int32_t>(word.Article.size()), word.IsBase);
        index.append(reinterpret_cast<const char*>(&record), sizeof record);
        std::string stored = word.Article;
        if (word.IsBase != 0) {
            dictionary::ScrambleInPlace(stored.data(), stored.size());
        }
        file += stored;
    }
    WriteRaw(dictionary::IndexFragment(tab), index);
    WriteRaw(dictionary::ArticleFragment(tab, true), base);
    if (!user.empty()) {
        WriteRaw(dictionary::ArticleFragment(tab, false), user);
    }
    written_[static_cast<std::size_t>(tab)] = true;
}

void TestDictionary::FillEmptyLetters() {
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        if (!written_[static_cast<std::size_t>(tab)]) {
            WriteRaw(dictionary::IndexFragment(tab), "");
        }
    }
}
