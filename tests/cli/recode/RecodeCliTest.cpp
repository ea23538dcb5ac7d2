// The routes dump against the library's own. (recode against glibc's
// iconv, and its refusals: tests/data/cli/failures.txt.)
#include <gtest/gtest.h>

#include "ccc/encoding/Iceman.h"
#include "support/CliRunner.h"
#include "support/LibraryStartup.h"

namespace {

using namespace qmtest;

TEST(RecodeCli, RoutesDump) {
    const ToolRun r = runQuillmark(Scratch("routes").dir(), "routes");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, CCC::Iceman::dumpRoutes());
}

} // namespace
