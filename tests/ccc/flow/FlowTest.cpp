// Flows, filters and the pump between them, and every failure of theirs as
// its IOException code.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/OFilter.h"
#include "ccc/flow/PushbackIFilter.h"
#include "ccc/flow/Spooler.h"
#include "ccc/flow/StringFlow.h"
#include "support/Files.h"
#include "support/IoCode.h"

using namespace CCC;
using qmtest::ioCode;
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

// A source whose block reads are the base class's loop over its unit reads.
struct UnitsOnly : FixedMemIFlow {
    using FixedMemIFlow::FixedMemIFlow;
    void read8(std::size_t n, char* b, std::size_t& c) override { IFlow::read8(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { IFlow::read16(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { IFlow::read32(n, b, c); }
};

} // namespace

// The ends are filters without a source or destination: code 6 shows that
// the carry chose a width and began to read, code 9 that nothing moved.
TEST(Conveyer, ChoosesASharedWidthOrFailsWithCode9) {
    constexpr IOType kAuto = 0xFF;
    const struct {
        IOType src, dest, width;
        int code;
    } cases[] = {
        {kIO16, kIO8, kAuto, 9},  {kIO8, kIO16 | kIO32, kAuto, 9}, {kIO32, kIO16, kAuto, 9},
        {kIO16, kIO16, kAuto, 6}, {kIOAll, kIO16, kAuto, 6},       {kIO8 | kIO16, kIOAll, kAuto, 6},
        {kIO8 | kIO16, kIO16, kIO8, 9}, {kIO8 | kIO16, kIO16, kIO16, 6},
        {kIO8 | kIO16, kIO16, 3, 9},    {kIO8 | kIO16, kIO16, 0, 9},  // 0: a byte-swapped encoding's width
    };
    for (const auto& c : cases) {
        IFilter src(c.src);
        OFilter dest(c.dest);
        Conveyer conveyer(&src, &dest);
        SCOPED_TRACE(testing::Message() << "src " << c.src << " dest " << c.dest << " width " << c.width);
        EXPECT_EQ(ioCode([&] { c.width == kAuto ? conveyer.carry() : conveyer.carry(c.width); }), c.code);
        EXPECT_EQ(ioCode([&] { c.width == kAuto ? conveyer.carryBlocks() : conveyer.carryBlocks(c.width); }),
                  c.code);
    }
    IFilter src;
    OFilter dest;
    EXPECT_EQ(ioCode([&] { Conveyer(nullptr, &dest).carry(); }), 6);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, nullptr).carry(); }), 7);
    EXPECT_EQ(ioCode([&] { Conveyer(nullptr, nullptr).carryBlocks(); }), 6);
}

TEST(Conveyer, BlockCarryEqualsUnitCarry) {
    // Longer than one block, with an odd byte that no wider unit can hold.
    std::string bytes;
    for (int i = 0; i < 40001; ++i) bytes.push_back(static_cast<char>(i * 7));
    for (std::size_t size : {std::size_t(0), bytes.size()})
        for (IOType w : {kIO8, kIO16, kIO32}) {
            FixedMemIFlow a(bytes.data(), size), b(bytes.data(), size);
            UnitsOnly c(bytes.data(), size);
            MemOFlow unitSink, blockSink, loopSink;
            Conveyer(&a, &unitSink).carry(w);
            Conveyer(&b, &blockSink).carryBlocks(w);
            Conveyer(&c, &loopSink).carryBlocks(w);
            EXPECT_EQ(unitSink.bytes(), blockSink.bytes());
            EXPECT_EQ(loopSink.bytes(), blockSink.bytes());
            EXPECT_EQ(unitSink.bytes().size(), size / w * w);
        }
}

TEST(IFlow, ReadLineStopsAfterLineFeedOrAtAZeroUnitAndTellsTheEnd) {
    U16 in = U16::fromAscii("a\nb"), line = U16::fromAscii("keep");
    in.push_back(0);
    in.push_back('c');
    StringIFlow<unsigned short> src(&in);
    EXPECT_FALSE(src.readLine16(line, true));
    EXPECT_EQ(line, U16::fromAscii("keepa\n"));
    EXPECT_FALSE(src.readLine16(line, false));
    EXPECT_EQ(line, U16::fromAscii("b"));
    EXPECT_TRUE(src.readLine16(line, false));  // true: the end of data
    EXPECT_EQ(line, U16::fromAscii("c"));
    TString<char> bytes = "x";
    FixedMemIFlow empty("", 0);
    EXPECT_TRUE(empty.readLine8(bytes, false));
    EXPECT_TRUE(bytes.empty());
}

TEST(IFilter, ForwardsAndKnowsItsHeadAndReadiness) {
    U16 in = U16::fromAscii("ab");
    StringIFlow<unsigned short> src(&in);
    IFilter f(kIOAll, kIO8);
    EXPECT_TRUE(f.setSrc(&src));
    EXPECT_TRUE(f.headP());
    EXPECT_FALSE(f.readyP());  // the source's width is not accepted
    EXPECT_EQ(f.get16(), 'a');
    EXPECT_FALSE(f.headP());
    EXPECT_TRUE(f.rewind());
    EXPECT_TRUE(f.headP());
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.close());
}
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

TEST(OFilter, ForwardsOrSpoolsUntilFlushThenRunsItsChain) {
    U16 out;
    StringOFlow<unsigned short> sink(&out);
    TOFilter<unsigned short> f;
    EXPECT_FALSE(f.readyP());
    EXPECT_TRUE(f.setDest(&sink));
    EXPECT_TRUE(f.readyP());
    f.put16('a');
    EXPECT_TRUE(f.writeString16(U16::fromAscii("bc")));
    EXPECT_EQ(out, U16::fromAscii("abc"));

    Spooler spooler(kIO16, kIO16, &sink);
    int deleted = 0;
    spooler.add(new AddOne(&deleted));
    spooler.put16('a');
    EXPECT_TRUE(spooler.writeString16(U16::fromAscii("bc")));
    EXPECT_EQ(out, U16::fromAscii("abc"));
    spooler.flush();
    EXPECT_EQ(out, U16::fromAscii("abcbcd"));
    EXPECT_EQ(spooler.pendingBytes(), 0u);
    spooler.put16('x');
    spooler.flush();
    EXPECT_EQ(out, U16::fromAscii("abcbcdy"));
}

TEST(Files, UnitsOfEveryWidthInMachineOrderAndTheLastShortBlock) {
    qmtest::Scratch scratch("flow");
    const std::string path = scratch.file("in"), written = scratch.file("out");
    qmtest::writeBytes(path, "abcde");
    FileIFlow in(path.c_str());
    EXPECT_EQ(in.get8(), 'a');
    EXPECT_EQ(in.get32(), unsigned('b' | 'c' << 8 | 'd' << 16 | 'e' << 24));
    EXPECT_EQ(ioCode([&] { in.get8(); }), 1);

    // A stage above the file keeps the block that came with the end.
    EXPECT_TRUE(in.rewind());
    struct : PushbackIFilter<char> {} stage;
    stage.setSrc(&in);
    char buffer[64];
    bool atEnd = false;
    EXPECT_EQ(readBlock(stage, buffer, sizeof buffer, atEnd), 5u);
    EXPECT_EQ(std::string(buffer, 5), "abcde");
    EXPECT_TRUE(atEnd);

    // An adopted stream stays open, and the caller's.
    std::FILE* f = std::fopen(path.c_str(), "rb");
    {
        FileIFlow adopted(f);
        EXPECT_EQ(adopted.get8(), 'a');
        EXPECT_TRUE(adopted.close());
    }
    EXPECT_EQ(std::fgetc(f), 'b');
    std::fclose(f);

    {
        FileOFlow out(written.c_str());
        out.put16(0x4241);
        EXPECT_TRUE(out.writeZ8("C"));
        EXPECT_TRUE(out.close());
    }
    FileOFlow(written.c_str(), true, true).put8('D');  // appends
    MemOFlow mem;
    mem.put32(0x64636261);
    EXPECT_EQ(qmtest::readBytes(written), "ABCD");
    EXPECT_EQ(mem.bytes(), "abcd");
}

TEST(Flows, FailureCodes) {
    qmtest::Scratch scratch("flow");
    qmtest::writeBytes(scratch / "odd", "abcde");
    FileIFlow odd(scratch.file("odd").c_str()), missingIn("/nonexistent/dir/file");
    FileOFlow missingOut("/nonexistent/dir/file"), full("/dev/full"), fullFlush("/dev/full");
    const unsigned short wide[] = {1, 2};
    TFixedMemIFlow<unsigned short> wideIn(wide, 2);
    FixedMemIFlow nullIn(nullptr, 10);
    char room[3];
    FixedMemOFlow fixed(room, sizeof room), nullOut(nullptr, 3);
    TString<unsigned int> one(1, 0x1F600u);
    StringIFlow<unsigned int> stringIn(&one);
    StringOFlow<unsigned int> stringOut(&one);
    StringIFlow<unsigned short> nullStringIn(nullptr);
    StringOFlow<unsigned int> nullStringOut(nullptr);
    struct : PushbackIFilter<unsigned short> {} noSource;  // 16 bits only
    IFilter closed;
    closed.setSrc(&wideIn);
    closed.close();
    CompositIFilter emptyChain;
    TOFilter<unsigned short> noDest;
    Spooler nowhere(kIO16, kIO16, nullptr);
    const std::string big(1 << 16, 'x');
    unsigned short units[4];
    std::size_t count = 99, taken = 0, written = 0;

    const struct {
        const char* what;
        std::function<void()> action;
        int code;
    } cases[] = {
        {"a short block at a file's end", [&] { odd.read16(4, units, count); }, 1},
        {"a unit past the end", [&] { stringIn.get32(), stringIn.get32(); }, 1},
        {"a full memory block", [&] { fixed.write8(5, "abcde", taken); }, 2},
        {"a carry into a full block", [&] { Conveyer(&wideIn, &fixed).carry(); }, 2},
        {"a full device", [&] { full.write8(big.size(), big.data(), written); }, 2},
        {"a missing file read", [&] { missingIn.get8(); }, 3},
        {"a missing file written", [&] { missingOut.put8('a'); }, 3},
        {"null memory read", [&] { nullIn.get8(); }, 3},
        {"null memory written", [&] { nullOut.put8('a'); }, 3},
        {"a null string read", [&] { nullStringIn.get16(); }, 3},
        {"a null string written", [&] { nullStringOut.put32(1); }, 3},
        {"16-bit memory read in bytes", [&] { wideIn.get8(); }, 5},
        {"a 32-bit string read in bytes", [&] { stringIn.get8(); }, 5},
        {"a 32-bit string written in 16 bits", [&] { stringOut.put16(1); }, 5},
        {"a 16-bit filter read in bytes", [&] { noSource.get8(); }, 5},
        {"a 16-bit filter read in 32 bits", [&] { noSource.get32(); }, 5},
        {"a 16-bit filter read in byte blocks", [&] { noSource.read8(4, room, written); }, 5},
        {"a 16-bit output filter written in bytes", [&] { noDest.put8('x'); }, 5},
        {"a filter without a source", [&] { noSource.get16(); }, 6},
        {"a closed filter", [&] { closed.get16(); }, 6},
        {"a chain without a source", [&] { emptyChain.get16(); }, 6},
        {"an output filter without a destination", [&] { noDest.put16('a'); }, 7},
        {"its flush", [&] { noDest.flush(); }, 7},
        {"its putDest", [&] { noDest.putDest('a'); }, 7},
        {"a spooler without a destination", [&] { nowhere.put16('a'); }, 7},
        {"its flush", [&] { nowhere.flush(); }, 7},
        {"a failed flush", [&] { fullFlush.put8('a'), fullFlush.flush(); }, 8},
    };
    for (const auto& c : cases) EXPECT_EQ(ioCode(c.action), c.code) << c.what;
    try {
        missingIn.get8();
    } catch (const IOException& e) {  // names where it was thrown
        EXPECT_NE(std::string(e.getSourceFile()).find("FileIFlow") * e.getLine(), 0u);
    }
    // The units a failing block read took are counted.
    EXPECT_EQ(count, 2u);  // the odd fifth byte is lost
    EXPECT_EQ(units[0], 'a' | 'b' << 8);
    EXPECT_EQ(taken, 3u);
}
