#include <gtest/gtest.h>

#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/OFilter.h"
#include "ccc/flow/PushbackIFilter.h"
#include "ccc/flow/Spooler.h"
#include "ccc/flow/StringFlow.h"

using namespace CCC;
using U16 = TString<unsigned short>;

namespace {

struct Pushback : PushbackIFilter<unsigned short> {};

// A stage that adds one to every unit, in the unit and the block path, and
// counts its own destruction.
class AddOne : public PushbackIFilter<unsigned short> {
public:
    explicit AddOne(int* deleted) : deleted_(deleted) {}
    ~AddOne() override { ++*deleted_; }

protected:
    unsigned short getUnit() override { return static_cast<unsigned short>(getSrcUnit() + 1); }
    void readUnits(std::size_t n, unsigned short* buffer, std::size_t& count) override {
        PushbackIFilter::readUnits(n, buffer, count);
        for (std::size_t i = 0; i < count; ++i) ++buffer[i];
    }

private:
    int* deleted_;
};

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

TEST(CompositIFilter, PassesThroughOrChainsMembersInOrderAndOwnsThem) {
    U16 in = U16::fromAscii("ab"), direct, out;
    StringIFlow<unsigned short> src(&in), src2(&in);
    CompositIFilter empty;
    EXPECT_FALSE(empty.openP());
    empty.setSrc(&src);
    StringOFlow<unsigned short> passed(&direct);
    Conveyer(&empty, &passed).carry(kIO16);
    EXPECT_EQ(direct, in);

    int deleted = 0;
    {
        CompositIFilter chain;
        chain.add(new AddOne(&deleted));
        chain.setSrc(&src2);  // reaches the first member
        chain.add(new AddOne(&deleted));
        StringOFlow<unsigned short> dest(&out);
        Conveyer(&chain, &dest).carryBlocks();
        EXPECT_TRUE(chain.rewind());
    }
    EXPECT_EQ(out, U16::fromAscii("cd"));
    EXPECT_EQ(deleted, 2);
}

TEST(Spooler, CollectsUntilFlushThenRunsItsChain) {
    U16 out;
    StringOFlow<unsigned short> sink(&out);
    Spooler spooler(kIO16, kIO16, &sink);
    int deleted = 0;
    spooler.add(new AddOne(&deleted));
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
