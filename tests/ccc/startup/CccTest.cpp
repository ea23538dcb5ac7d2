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

// The library's started/stopped flags live for the whole process, so the
// life cycle is walked in one test, in order.
TEST(Ccc, LifeCycle) {
    EXPECT_FALSE(Ccc::unInitialize()) << "stopping before starting";
    EXPECT_FALSE(Ccc::startedP());

    ASSERT_EQ(Ccc::registerStartup(6, countingModule), Ccc::kRegistered);
    failStart = true;
    EXPECT_FALSE(Ccc::initialize()) << "a failing module stops the start";
    EXPECT_FALSE(Ccc::startedP());

    failStart = false;
    starts = 0;
    EXPECT_TRUE(Ccc::initialize());
    EXPECT_TRUE(Ccc::initialize());
    EXPECT_EQ(starts, 1) << "a second initialize runs nothing";

    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_EQ(stops, 1);
}
