#include <gtest/gtest.h>

#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/OFilter.h"
#include "ccc/flow/PushbackIFilter.h"
#include "ccc/flow/StringFlow.h"

using namespace CCC;
using U16 = TString<unsigned short>;

namespace {
struct Pushback : PushbackIFilter<unsigned short> {};
} // namespace

TEST(PushbackIFilter, UngotUnitsComeFirstLastInFirstOutAndRewindDropsThem) {
    U16 in = U16::fromAscii("Z"), units, blocks;
    StringIFlow<unsigned short> src(&in);
    Pushback f;
    f.setSrc(&src);
    EXPECT_EQ(f.pushbackCapacity(), 16u);
    for (unsigned short u = 1; u <= 17; ++u) f.unget(u);
    EXPECT_EQ(f.pushbackCapacity(), 32u);
    StringOFlow<unsigned short> unitSink(&units), blockSink(&blocks);
    Conveyer(&f, &unitSink).carry();
    U16 expected;
    for (unsigned short u = 17; u >= 1; --u) expected.push_back(u);
    EXPECT_EQ(units, expected + U16::fromAscii("Z"));

    EXPECT_TRUE(f.rewind());
    f.unget('b');
    f.unget('a');
    Conveyer(&f, &blockSink).carryBlocks();
    EXPECT_EQ(blocks, U16::fromAscii("abZ"));
    f.unget('x');
    EXPECT_TRUE(f.rewind());
    EXPECT_EQ(f.pushbackCount(), 0u);
    EXPECT_EQ(f.get16(), 'Z');
}

TEST(IFilter, HeadFlagAndReadiness) {
    U16 in = U16::fromAscii("ab");
    StringIFlow<unsigned short> src(&in);
    IFilter f(kIOAll, kIO8);
    EXPECT_FALSE(f.readyP());
    EXPECT_TRUE(f.setSrc(&src));
    EXPECT_TRUE(f.headP());
    EXPECT_EQ(f.srcIOType(), 0u);  // the source's width is not accepted
    EXPECT_FALSE(f.readyP());
    EXPECT_EQ(f.get16(), 'a');
    EXPECT_FALSE(f.headP());
    EXPECT_TRUE(f.rewind());
    EXPECT_TRUE(f.headP());
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.close());
}

TEST(IFlow, ReadLineStopsAfterLineFeedOrAtAZeroUnit) {
    U16 in = U16::fromAscii("ab\ncd"), line;
    StringIFlow<unsigned short> src(&in);
    EXPECT_FALSE(src.readLine16(line, false));
    EXPECT_EQ(line, U16::fromAscii("ab\n"));
    EXPECT_TRUE(src.readLine16(line, false));  // true: the end of data
    EXPECT_EQ(line, U16::fromAscii("cd"));
    EXPECT_TRUE(src.readLine16(line, true));
    EXPECT_EQ(line, U16::fromAscii("cd"));

    const char bytes[] = {'x', 0, 'y'};
    FixedMemIFlow zero(bytes, sizeof bytes);
    TString<char> text = "keep";
    EXPECT_FALSE(zero.readLine8(text, true));
    EXPECT_EQ(text, "keepx");
    EXPECT_TRUE(zero.readLine8(text, false));
    EXPECT_EQ(text, "y");
}

TEST(OFilter, ForwardsToItsDestination) {
    U16 out;
    StringOFlow<unsigned short> sink(&out);
    TOFilter<unsigned short> f;
    EXPECT_FALSE(f.readyP());
    EXPECT_TRUE(f.setDest(&sink));
    EXPECT_TRUE(f.readyP());
    f.put16('a');
    EXPECT_TRUE(f.writeString16(U16::fromAscii("bc")));
    EXPECT_EQ(out, U16::fromAscii("abc"));
}
