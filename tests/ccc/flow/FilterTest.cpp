#include <gtest/gtest.h>

#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/OFilter.h"
#include "ccc/flow/Spooler.h"
#include "ccc/flow/StringFlow.h"
#include "FlowTestUtil.h"

using namespace CCC;

namespace {
using U16 = TString<unsigned short>;

template <class T>
class PlainPushback : public PushbackIFilter<T> {};
} // namespace

TEST(PushbackIFilter, GrowsFrom16To32AndReturnsUnitsLastInFirstOut) {
    U16 in = U16::fromAscii("Z"), out;
    StringIFlow<unsigned short> src(&in);
    PlainPushback<unsigned short> f;
    f.setSrc(&src);
    EXPECT_EQ(f.pushbackCapacity(), 16u);
    for (unsigned short u = 1; u <= 17; ++u) f.unget(u);
    EXPECT_EQ(f.pushbackCapacity(), 32u);
    EXPECT_EQ(f.pushbackCount(), 17u);
    StringOFlow<unsigned short> dest(&out);
    Conveyer(&f, &dest).carry();
    U16 expected;
    for (unsigned short u = 17; u >= 1; --u) expected.push_back(u);
    expected.push_back('Z');
    EXPECT_EQ(out, expected);
}

TEST(PushbackIFilter, BlockReadDrainsTheStackBeforeTheSource) {
    U16 in = U16::fromAscii("cd"), out;
    StringIFlow<unsigned short> src(&in);
    PlainPushback<unsigned short> f;
    f.setSrc(&src);
    f.unget('b');
    f.unget('a');
    StringOFlow<unsigned short> dest(&out);
    Conveyer(&f, &dest).carryBlocks();
    EXPECT_EQ(out, U16::fromAscii("abcd"));
}

TEST(PushbackIFilter, RewindEmptiesTheStack) {
    U16 in = U16::fromAscii("q");
    StringIFlow<unsigned short> src(&in);
    PlainPushback<unsigned short> f;
    f.setSrc(&src);
    f.unget('x');
    EXPECT_TRUE(f.rewind());
    EXPECT_EQ(f.pushbackCount(), 0u);
    EXPECT_EQ(f.get16(), 'q');
}

TEST(TIFilter, OtherWidthsThrowCode5AndNoSourceCode6) {
    PlainPushback<unsigned short> f;
    EXPECT_EQ(ioCode([&] { f.get16(); }), 6);
    EXPECT_EQ(ioCode([&] { f.get8(); }), 5);
    EXPECT_EQ(ioCode([&] { f.get32(); }), 5);
    std::size_t n = 0;
    char b8[4];
    EXPECT_EQ(ioCode([&] { f.read8(4, b8, n); }), 5);
    EXPECT_EQ(f.getIOType(), kIO16);
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
    EXPECT_EQ(f.get16(), 'a');
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.close());
    EXPECT_EQ(ioCode([&] { f.get16(); }), 6);
}

TEST(IFlow, ReadLineStopsAfterLineFeedAndReportsTheEnd) {
    U16 in = U16::fromAscii("ab\ncd"), line;
    StringIFlow<unsigned short> src(&in);
    EXPECT_FALSE(src.readLine16(line, false));
    EXPECT_EQ(line, U16::fromAscii("ab\n"));
    EXPECT_TRUE(src.readLine16(line, false));
    EXPECT_EQ(line, U16::fromAscii("cd"));
    EXPECT_TRUE(src.readLine16(line, true));
    EXPECT_EQ(line, U16::fromAscii("cd"));
}

TEST(IFlow, ReadLineStopsAtAZeroUnitWithoutStoringIt) {
    const char bytes[] = {'x', 0, 'y'};
    FixedMemIFlow src(bytes, sizeof bytes);
    TString<char> line = "keep";
    EXPECT_FALSE(src.readLine8(line, true));
    EXPECT_EQ(line, "keepx");
    EXPECT_TRUE(src.readLine8(line, false));
    EXPECT_EQ(line, "y");
}

TEST(OFilter, ForwardsToItsDestinationOrThrowsCode7) {
    U16 out;
    StringOFlow<unsigned short> sink(&out);
    TOFilter<unsigned short> f;
    EXPECT_EQ(ioCode([&] { f.put16('a'); }), 7);
    EXPECT_EQ(ioCode([&] { f.flush(); }), 7);
    EXPECT_EQ(ioCode([&] { f.putDest('a'); }), 7);
    EXPECT_TRUE(f.setDest(&sink));
    EXPECT_TRUE(f.readyP());
    f.put16('a');
    EXPECT_TRUE(f.writeString16(U16::fromAscii("bc")));
    EXPECT_EQ(ioCode([&] { f.put8('x'); }), 5);
    EXPECT_EQ(out, U16::fromAscii("abc"));
}

TEST(Spooler, CollectsUntilFlushThenRunsItsChain) {
    U16 out;
    StringOFlow<unsigned short> sink(&out);
    Spooler spooler(kIO16, kIO16, &sink);
    int deleted = 0;
    spooler.add(new AddOne<unsigned short>(&deleted));
    spooler.put16('a');
    EXPECT_TRUE(spooler.writeString16(U16::fromAscii("bc")));
    EXPECT_TRUE(out.empty());
    spooler.flush();
    EXPECT_EQ(out, U16::fromAscii("bcd"));
    EXPECT_EQ(spooler.pendingBytes(), 0u);
    spooler.put16('x');
    spooler.flush();
    EXPECT_EQ(out, U16::fromAscii("bcdy"));
}

TEST(Spooler, WithoutDestinationThrowsCode7) {
    Spooler spooler(kIO16, kIO16, nullptr);
    EXPECT_EQ(ioCode([&] { spooler.put16('a'); }), 7);
    EXPECT_EQ(ioCode([&] { spooler.flush(); }), 7);
}
