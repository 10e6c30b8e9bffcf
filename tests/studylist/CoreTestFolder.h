#pragma once

// A dictionary folder written byte for byte, for the tests of the file
// formats that need no window: every letter's index, letter H with two base
// words.
#include "dictionary/IndexRecord.h"
#include "dictionary/Letters.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace studylisttest {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class CoreTestFolder {
public:
    explicit CoreTestFolder(const std::string& prefix) {
        dir_ = fs::temp_directory_path() /
               (prefix + "-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "eg");
        fs::create_directories(dir_ / "bg");
        for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
            WriteBytes(File(dictionary::IndexFragment(tab)), "");
        }
        std::string index;
        std::string base;
        for (const char* word : {"hot", "house"}) {
            std::string article = std::string("{\\rtf1 ") + word + "}";
            dictionary::IndexRecord record;
            dictionary::MakeRecord(record, word, static_cast<std::int32_t>(base.size()),
                                   static_cast<std::int32_t>(article.size()), 1);
            index.append(reinterpret_cast<const char*>(&record), sizeof record);
            dictionary::ScrambleInPlace(article.data(), article.size());
            base += article;
        }
        WriteBytes(File("\\eg\\base_h.dak"), index);
        WriteBytes(File("\\eg\\base_h.ref"), base);
    }
    ~CoreTestFolder() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    CoreTestFolder(const CoreTestFolder&) = delete;
    CoreTestFolder& operator=(const CoreTestFolder&) = delete;

    const fs::path& Path() const { return dir_; }
    fs::path File(std::string_view fragment) const { return platform::ResolvePath(dir_, fragment); }

private:
    fs::path dir_;
};

} // namespace studylisttest
