#pragma once

// Include once in a test program whose tests need the encoding library:
// it is started before the first test and stopped after the last (every
// test may also run alone in its own process).

#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"

namespace qmtest {

class LibraryStartup : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CCC::Ccc::initialize()); }
    void TearDown() override { CCC::Ccc::unInitialize(); }
};

inline ::testing::Environment* const kLibraryStartup = ::testing::AddGlobalTestEnvironment(new LibraryStartup);

} // namespace qmtest
