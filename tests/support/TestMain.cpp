// Test entry: sets up the headless environment before any test runs.
#include <gtest/gtest.h>

#include "TestEnv.h"

int main(int argc, char** argv) {
    testenv::ProcessRoot();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
