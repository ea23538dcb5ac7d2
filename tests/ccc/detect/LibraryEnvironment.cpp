#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"

namespace {

// The detectors look encoding names up in the library's dictionary.
class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CCC::Ccc::initialize()); }
    void TearDown() override { CCC::Ccc::unInitialize(); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

} // namespace
