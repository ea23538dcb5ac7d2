#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ccc/encoding/Iceman.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {

// Text that every encoding 1-39 holds unchanged: letters, digits, spaces
// and line ends (no '+' for UTF-7, no '\\' or '~' for Shift_JIS).
std::string sampleAscii(std::size_t length) {
    std::string s;
    const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 \n\r";
    for (unsigned i = 0; s.size() < length; ++i) s.push_back(alphabet[(i * 37 + i / 7) % (sizeof alphabet - 1)]);
    return s;
}

// Converts bytes from → to with the block pump, and checks that the unit
// pump agrees; "!" when either fails.
std::string convert(CeId from, CeId to, const std::string& in) {
    std::string out[2];
    for (bool unitWise : {false, true}) {
        std::unique_ptr<CompositIFilter> chain(Iceman::createCompositIFilter(from, to));
        if (!chain) return "!";
        FixedMemIFlow src(in.data(), in.size());
        MemOFlow dst;
        chain->setSrc(&src);
        try {
            Conveyer c(chain.get(), &dst);
            unitWise ? c.carry(Iceman::outputIOType(*chain)) : c.carryBlocks(Iceman::outputIOType(*chain));
        } catch (const IOException&) {
            return "!";
        }
        out[unitWise].assign(dst.bytes().data(), dst.bytes().size());
    }
    EXPECT_EQ(out[1], out[0]) << from << "->" << to << " unit and block pumps differ";
    return out[0];
}

} // namespace

// Every one of the 1482 routes, built from the real filters, carries text
// that both ends can hold: long text (across the pumps' blocks) to and from
// us-ascii, short text between every pair.
TEST(AllRoutes, CarryCommonTextBetweenEveryPair) {
    const std::string longText = sampleAscii(40000), ascii = sampleAscii(3000);
    std::vector<std::string> as(40, ascii);
    for (CeId x = 2; x <= 39; ++x) {
        EXPECT_EQ(convert(x, 1, convert(1, x, longText)), longText) << "round trip through " << x;
        as[x] = convert(1, x, ascii);
    }
    int failures = 0;
    for (CeId a = 1; a <= 39 && failures < 20; ++a)
        for (CeId b = 1; b <= 39 && failures < 20; ++b)
            if (a != b) {
                EXPECT_EQ(convert(a, b, as[a]), as[b]) << a << "->" << b;
                failures += ::testing::Test::HasFailure();
            }
}
