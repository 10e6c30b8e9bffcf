#include "tests/platform/AudioTestSupport.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!audiotest::PrepareWorkDir()) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    audiotest::RemoveWorkDir();
    return result;
}
