#pragma once

#include "learning/Answer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace learningtest {

namespace fs = std::filesystem;

// A folder of its own for each test, removed with everything in it.
class TestFolder {
public:
    TestFolder() {
        std::string pattern = (fs::temp_directory_path() / "learning-test-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    ~TestFolder() {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const fs::path& Dir() const { return dir_; }
    fs::path Record() const { return dir_ / "Learning.db"; }

private:
    fs::path dir_;
};

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// "w12": a word of its own for each i. (Built by appending: gcc 12 warns
// falsely about "w" + std::to_string(i).)
inline std::string Numbered(std::string_view prefix, long long i) {
    std::string word(prefix);
    word += std::to_string(i);
    return word;
}

// 2024-03-01 09:00 UTC plus the given minutes.
inline learning::TTime At(long long minutes) {
    return learning::FromMs(1709283600000LL + minutes * 60 * 1000);
}

inline learning::TAnswer Answer(std::string entry, learning::TAnswerKind kind, long long minutes,
                                learning::TExercise exercise = learning::TExercise::Method3) {
    learning::TAnswer answer;
    answer.HeadWord = entry;
    answer.Entry = std::move(entry);
    answer.Tab = 7;
    answer.Kind = kind;
    answer.Exercise = exercise;
    answer.At = At(minutes);
    return answer;
}

} // namespace learningtest
