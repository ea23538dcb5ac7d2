#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"

using CCC::Ccc;

namespace {
int starts = 0;
int stops = 0;
bool failStart = false;

bool countingModule(int flag) {
    if (flag) {
        ++starts;
        return !failStart;
    }
    ++stops;
    return true;
}
} // namespace

// Each test runs in a process of its own under ctest, so the library's
// started/stopped flags begin fresh in every one.

TEST(Ccc, InitializeTwiceRunsTheModulesOnce) {
    ASSERT_EQ(Ccc::registerStartup(5, countingModule), Ccc::kRegistered);
    EXPECT_TRUE(Ccc::initialize());
    EXPECT_TRUE(Ccc::initialize());
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_EQ(stops, 1);
}

TEST(Ccc, UnInitializeBeforeInitializeFails) {
    EXPECT_FALSE(Ccc::unInitialize());
    EXPECT_FALSE(Ccc::startedP());
}

TEST(Ccc, AFailingModuleStopsInitialisation) {
    Ccc::registerStartup(6, countingModule);
    failStart = true;
    EXPECT_FALSE(Ccc::initialize());
    EXPECT_FALSE(Ccc::startedP());
    failStart = false;
    EXPECT_TRUE(Ccc::initialize());
}
