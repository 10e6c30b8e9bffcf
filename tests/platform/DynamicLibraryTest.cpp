#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

namespace {

using platform::SharedObjectName;

TEST(DynamicLibraryTest, MapsLibraryNamesToSharedObjects) {
    EXPECT_EQ(SharedObjectName("mpegdll.dll"), "libmpegdll.so");
    EXPECT_EQ(SharedObjectName("MPEGDLL.DLL"), "libMPEGDLL.so");
    EXPECT_EQ(SharedObjectName("mpegdll"), "libmpegdll.so");
    EXPECT_EQ(SharedObjectName("C:\\Sound\\mpegdll.dll"), "C:/Sound/libmpegdll.so");
    EXPECT_EQ(SharedObjectName("/opt/sound\\mpegdll.dll"), "/opt/sound/libmpegdll.so");
    EXPECT_EQ(SharedObjectName("./x.dll"), "./libx.so");
    EXPECT_EQ(SharedObjectName("libmpg123.so.0"), "libmpg123.so.0");
    EXPECT_EQ(SharedObjectName("/usr/lib/"), "/usr/lib/");
    EXPECT_EQ(SharedObjectName(".dll"), ".dll") << "a hidden file, not an extension";
}

TEST(DynamicLibraryTest, ProgramFolderHoldsThisTest) {
    EXPECT_EQ(platform::ProgramFolder(), std::filesystem::path(PLATFORM_TEST_DIR));
}

TEST(DynamicLibraryTest, BareNameIsFoundBesideTheProgram) {
    // The stand-in library lives only beside the test program, off the
    // system's search path.
    platform::LibraryHandle library = platform::LoadLibrary("standin.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(platform::GetProcAddress(library, "StandInEntry"), nullptr);
    EXPECT_EQ(platform::GetProcAddress(library, "NoSuchEntry"), nullptr);
    EXPECT_TRUE(platform::FreeLibrary(library));
    EXPECT_FALSE(platform::FreeLibrary(nullptr));
}

TEST(DynamicLibraryTest, NameWithFolderIsUsedAsGiven) {
    platform::LibraryHandle real =
        platform::LoadLibrary(std::string(MPEGDLL_DIR) + "\\mpegdll.dll");
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(platform::GetProcAddress(real, "StandInEntry"), nullptr);
    EXPECT_NE(platform::GetProcAddress(real, "Play"), nullptr);
    platform::FreeLibrary(real);

    EXPECT_EQ(platform::LoadLibrary("/no/such/folder/mpegdll.dll"), nullptr);
}

TEST(DynamicLibraryTest, OtherNamesFollowTheSystemSearch) {
    platform::LibraryHandle library = platform::LoadLibrary("libmpg123.so.0");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(platform::GetProcAddress(library, "mpg123_new"), nullptr);
    platform::FreeLibrary(library);
    EXPECT_EQ(platform::LoadLibrary("no-such-library.dll"), nullptr);
}

} // namespace
