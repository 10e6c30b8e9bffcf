#include "platform/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

using platform::TMemoryStream;

TEST(AudioMemoryStream, WritesReadsAndSeeks) {
    TMemoryStream stream;
    EXPECT_EQ(stream.Write("abcdef", 6), 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Seek(2, 0), 2);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4);
    EXPECT_STREQ(buffer, "cdef");
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_EQ(stream.Seek(-3, 2), 3);
    EXPECT_EQ(stream.Seek(1, 1), 4);
    EXPECT_LT(stream.Seek(-1, 0), 0);
    EXPECT_EQ(stream.Position(), 4);
}

TEST(AudioMemoryStream, OverwritesGrowsAndShrinks) {
    TMemoryStream stream;
    stream.Write("abc", 3);
    stream.Seek(1, 0);
    stream.Write("XYZ", 3);
    ASSERT_EQ(stream.Size(), 4);
    EXPECT_EQ(std::memcmp(stream.Memory(), "aXYZ", 4), 0);
    // Writing past the end fills the gap with zeros.
    stream.Seek(6, 0);
    stream.Write("!", 1);
    ASSERT_EQ(stream.Size(), 7);
    EXPECT_EQ(stream.Memory()[5], 0);
    stream.SetSize(2);
    EXPECT_EQ(stream.Size(), 2);
    EXPECT_EQ(stream.Position(), 2);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}
