#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"

namespace {

// The model reads sources and the trace generator prints texts through the
// encoding library, which needs starting once per program.
class LibraryEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CCC::Ccc::initialize()); }
    void TearDown() override { CCC::Ccc::unInitialize(); }
};

const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new LibraryEnvironment);

} // namespace
