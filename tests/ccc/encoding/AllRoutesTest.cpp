#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"

using namespace CCC;

namespace {

// Text that every encoding 1-39 holds unchanged: letters, digits, spaces
// and line ends (no '+' for UTF-7, no '\\' or '~' for Shift_JIS). Long
// enough to cross the block size of the pumps.
std::string sampleAscii(std::size_t length) {
    std::string s;
    const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 \n\r";
    for (unsigned i = 0; s.size() < length; ++i) s.push_back(alphabet[(i * 37 + i / 7) % (sizeof alphabet - 1)]);
    return s;
}

// Converts bytes from → to; block-wise unless `unitWise`.
bool convert(CeId from, CeId to, const std::string& in, std::string& out, bool unitWise) {
    std::unique_ptr<CompositIFilter> chain(Iceman::createCompositIFilter(from, to));
    if (!chain) return false;
    FixedMemIFlow src(in.data(), in.size());
    MemOFlow dst;
    chain->setSrc(&src);
    try {
        Conveyer c(chain.get(), &dst);
        if (unitWise) c.carry(Iceman::outputIOType(*chain));
        else c.carryBlocks(Iceman::outputIOType(*chain));
    } catch (const IOException&) {
        return false;
    }
    out.assign(dst.bytes().data(), dst.bytes().size());
    return true;
}

} // namespace

// Every one of the 1482 routes, built from the real filters, carries text
// that both ends can hold, and the block pump agrees with the unit pump.
TEST(AllRoutes, CarryCommonTextBetweenEveryPair) {
    ASSERT_TRUE(Ccc::initialize());

    // Long text to and from us-ascii, crossing block boundaries; short text
    // between every pair.
    const std::string longText = sampleAscii(40000);
    for (CeId x = 2; x <= 39; ++x) {
        std::string there, back, thereUnits, backUnits;
        ASSERT_TRUE(convert(1, x, longText, there, false)) << "1->" << x;
        ASSERT_TRUE(convert(x, 1, there, back, false)) << x << "->1";
        EXPECT_EQ(back, longText) << "round trip through " << x;
        ASSERT_TRUE(convert(1, x, longText, thereUnits, true)) << "1->" << x;
        ASSERT_TRUE(convert(x, 1, there, backUnits, true)) << x << "->1";
        EXPECT_EQ(thereUnits, there) << "1->" << x << " unit and block pumps differ";
        EXPECT_EQ(backUnits, back) << x << "->1 unit and block pumps differ";
    }

    const std::string ascii = sampleAscii(3000);
    std::vector<std::string> as(40);
    as[1] = ascii;
    for (CeId x = 2; x <= 39; ++x) ASSERT_TRUE(convert(1, x, ascii, as[x], false)) << "1->" << x;
    int failures = 0;
    for (CeId a = 1; a <= 39 && failures < 20; ++a) {
        for (CeId b = 1; b <= 39 && failures < 20; ++b) {
            if (a == b) continue;
            std::string blocks, units;
            bool okBlocks = convert(a, b, as[a], blocks, false);
            bool okUnits = convert(a, b, as[a], units, true);
            EXPECT_TRUE(okBlocks && okUnits) << a << "->" << b;
            EXPECT_EQ(blocks, as[b]) << a << "->" << b;
            EXPECT_EQ(units, blocks) << a << "->" << b << " unit and block pumps differ";
            failures += !(okBlocks && okUnits && blocks == as[b] && units == blocks);
        }
    }
}
