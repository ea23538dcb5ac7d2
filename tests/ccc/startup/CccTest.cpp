#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"

using CCC::Ccc;
using CCC::Iceman;

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

// The library's started/stopped state lives for the whole process, so the
// life cycle is walked in one test, in order.
TEST(Ccc, LifeCycle) {
    EXPECT_FALSE(Ccc::unInitialize()) << "stopping before starting";
    EXPECT_FALSE(Ccc::startedP());
    // Before start-up nothing is found, and nothing crashes.
    EXPECT_EQ(Iceman::stringToCeId("utf-8"), 0);
    EXPECT_EQ(Iceman::createCompositIFilter(10, 23), nullptr);
    EXPECT_TRUE(Iceman::dumpRoutes().empty());
    EXPECT_STREQ(Iceman::ceIdToString(23), "Shift_JIS");

    ASSERT_EQ(Ccc::registerStartup(6, countingModule), Ccc::kRegistered);
    failStart = true;
    EXPECT_FALSE(Ccc::initialize()) << "a failing module stops the start";
    EXPECT_FALSE(Ccc::startedP());

    failStart = false;
    starts = 0;
    EXPECT_TRUE(Ccc::initialize());
    const auto* routes = Iceman::getIFilterDictionary();
    const auto* names = Iceman::getCenDictionary();
    EXPECT_TRUE(routes && names);
    EXPECT_TRUE(Ccc::initialize());
    EXPECT_EQ(starts, 1) << "a second initialize runs nothing";
    EXPECT_TRUE(Iceman::getIFilterDictionary() == routes && Iceman::getCenDictionary() == names);
    EXPECT_EQ(Iceman::stringToCeId("utf-8"), 7);

    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_TRUE(Iceman::getIFilterDictionary() == nullptr && Iceman::getCenDictionary() == nullptr);
    EXPECT_EQ(Iceman::stringToCeId("utf-8"), 0);
    EXPECT_TRUE(Ccc::unInitialize());
    EXPECT_EQ(stops, 1);
}
