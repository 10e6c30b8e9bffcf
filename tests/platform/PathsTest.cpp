#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(Paths, FragmentsResolveBelowBaseWhateverTheirCase) {
    const fs::path base = fs::temp_directory_path() / ("paths-" + std::to_string(::getpid()));
    fs::create_directories(base / "wave" / "h");
    fs::create_directories(base / "rtf");
    std::ofstream(base / "rtf" / "eng.rtf") << "x";
    std::ofstream(base / "wave" / "EnglishFree") << "x";

    using platform::ResolvePath;
    EXPECT_EQ(ResolvePath(base, "\\eg\\base_a.dak"), base / "eg" / "base_a.dak")
        << "missing components are kept as written";
    EXPECT_EQ(ResolvePath(base, "\\WAVE\\EnglishFree"), base / "wave" / "EnglishFree");
    EXPECT_EQ(ResolvePath(base, "\\wave\\ENGLISHFREE"), base / "wave" / "EnglishFree");
    EXPECT_EQ(ResolvePath(base, "\\rtf\\\\eng.rtf"), base / "rtf" / "eng.rtf")
        << "doubled separators collapse";
    EXPECT_EQ(ResolvePath(base, "/wave/h/12.mp3"), base / "wave" / "h" / "12.mp3");
    EXPECT_EQ(ResolvePath(base, "Wave\\H\\"), base / "wave" / "h");
    EXPECT_EQ(ResolvePath(base, ""), base);

    fs::create_directories(base / "Data");
    fs::create_directories(base / "data");
    EXPECT_EQ(ResolvePath(base, "\\data"), base / "data") << "an exact match wins";
    fs::remove_all(base);
}

} // namespace
