#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "ccc/detect/DetectorFactory.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FixedMemIFlow.h"

using namespace CCC;

namespace {

CeId run(CeId id, const std::string& s) {
    FixedMemIFlow in(s.data(), s.size());
    return runDetector(id, in);
}

TEST(RunDetector, ChoosesByIdentifier) {
    const std::string sjisXml = "<?xml version='1.0' encoding='Shift_JIS'?><a>\x82\xA0</a>";
    const std::string eucHtml =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\"></head>"
        "<body>\x82\xA0</body></html>";
    EXPECT_EQ(run(40, sjisXml), 23);
    EXPECT_EQ(run(41, sjisXml), 23);
    EXPECT_EQ(run(42, sjisXml), 0);
    EXPECT_EQ(run(40, eucHtml), 23);  // by its bytes
    EXPECT_EQ(run(41, eucHtml), 0);   // no XML declaration
    EXPECT_EQ(run(42, eucHtml), 22);
    for (CeId none : {0, 1, 23, 39, 43, -1}) EXPECT_EQ(run(none, sjisXml), 0) << none;
}

TEST(RunDetector, StreamAndClosedFlow) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("plain text, no declaration\n", f);
    std::rewind(f);
    FileIFlow in(f);
    EXPECT_EQ(runDetector(41, in), 0);
    std::fclose(f);
    FixedMemIFlow closed(nullptr, 0);
    for (CeId id : {40, 41, 42}) EXPECT_EQ(runDetector(id, closed), 0) << id;
}

} // namespace
