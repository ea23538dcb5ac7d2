#include <gtest/gtest.h>

#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/StringFlow.h"
#include "FlowTestUtil.h"

using namespace CCC;

namespace {

// A source or sink that offers only the given widths and records nothing.
class MaskedIFlow : public IFlow {
public:
    explicit MaskedIFlow(IOType mask) : IFlow(mask, true) {}
    unsigned short get16() override { ++reads; CCC_THROW_IO(IOException::kEndOfData); }
    char get8() override { ++reads; CCC_THROW_IO(IOException::kEndOfData); }
    int reads = 0;

private:
    static constexpr const char* kSourceName = "MaskedIFlow";
};

class MaskedOFlow : public OFlow {
public:
    explicit MaskedOFlow(IOType mask) : OFlow(mask, true) {}
    void flush() override { ++flushes; }
    int flushes = 0;
};

} // namespace

TEST(Conveyer, PicksTheFirstSharedWidthOrFailsWithCode9) {
    struct Case {
        IOType src, dest;
        int expectedCode;  // 0 = carried normally
    } cases[] = {
        {kIO16, kIO8, 9}, {kIO8, kIO16 | kIO32, 9}, {kIO32, kIO16, 9},
        {kIO16, kIO16, 0}, {kIOAll, kIO16, 0}, {kIO8 | kIO16, kIOAll, 0},
    };
    for (const Case& c : cases) {
        MaskedIFlow src(c.src);
        MaskedOFlow dest(c.dest);
        SCOPED_TRACE(testing::Message() << "src " << c.src << " dest " << c.dest);
        EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carry(); }), c.expectedCode);
        EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carryBlocks(); }), c.expectedCode);
        if (c.expectedCode) {
            EXPECT_EQ(src.reads, 0) << "nothing may move before code 9";
            EXPECT_EQ(dest.flushes, 0);
        } else {
            EXPECT_EQ(dest.flushes, 2);
        }
    }
}

TEST(Conveyer, ExplicitWidthMustBeInBothMasks) {
    MaskedIFlow src(kIO8 | kIO16);
    MaskedOFlow dest(kIO16);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carry(kIO8); }), 9);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carry(kIO16); }), 0);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carry(3); }), 9);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carry(0); }), 9) << "a byte-swapped encoding's width";
    EXPECT_EQ(ioCode([&] { Conveyer(&src, &dest).carryBlocks(0); }), 9);
}

TEST(Conveyer, MissingSourceIsCode6AndMissingDestinationCode7) {
    MaskedIFlow src(kIOAll);
    MaskedOFlow dest(kIOAll);
    EXPECT_EQ(ioCode([&] { Conveyer(nullptr, &dest).carry(); }), 6);
    EXPECT_EQ(ioCode([&] { Conveyer(&src, nullptr).carry(); }), 7);
    EXPECT_EQ(ioCode([&] { Conveyer(nullptr, nullptr).carryBlocks(); }), 6);
}

TEST(Conveyer, EmptySourceCarriesNothing) {
    TString<unsigned short> in, out;
    StringIFlow<unsigned short> src(&in);
    StringOFlow<unsigned short> dest(&out);
    Conveyer(&src, &dest).carry();
    EXPECT_TRUE(out.empty());
    FixedMemIFlow empty("", 0);
    MemOFlow sink;
    Conveyer(&empty, &sink).carryBlocks();
    EXPECT_TRUE(sink.bytes().empty());
}

TEST(Conveyer, BlockCarryEqualsUnitCarryAcrossBlockBoundaries) {
    // Longer than one block, with an odd byte that no 16-bit unit can hold.
    std::string bytes;
    for (int i = 0; i < 40001; ++i) bytes.push_back(static_cast<char>(i * 7));
    for (IOType w : {kIO8, kIO16, kIO32}) {
        FixedMemIFlow a(bytes.data(), bytes.size()), b(bytes.data(), bytes.size());
        MemOFlow unitSink, blockSink;
        Conveyer(&a, &unitSink).carry(w);
        Conveyer(&b, &blockSink).carryBlocks(w);
        EXPECT_EQ(unitSink.bytes(), blockSink.bytes());
        EXPECT_EQ(unitSink.bytes().size(), bytes.size() / w * w);
    }
}

TEST(Conveyer, OtherFailuresPassThroughUnchanged) {
    TString<unsigned short> in = TString<unsigned short>::fromAscii("abc");
    StringIFlow<unsigned short> src(&in);
    unsigned short room[2];
    FixedMemOFlow dest(room, sizeof room);
    try {
        Conveyer(&src, &dest).carry();
        FAIL() << "a full block must stop the carry";
    } catch (const IOException& e) {
        EXPECT_EQ(e.getCode(), 2);
        EXPECT_GT(e.getLine(), 0);
    }
}

TEST(CompositIFilter, PassesUnitsThroughWithoutMembersAndNeedsASource) {
    TString<unsigned short> in = TString<unsigned short>::fromAscii("xyz"), out;
    StringIFlow<unsigned short> src(&in);
    CompositIFilter chain;
    EXPECT_EQ(ioCode([&] { chain.get16(); }), 6);
    EXPECT_FALSE(chain.openP());
    chain.setSrc(&src);
    StringOFlow<unsigned short> dest(&out);
    Conveyer(&chain, &dest).carry(kIO16);
    EXPECT_EQ(out, in);
}

TEST(CompositIFilter, ChainsMembersInOrderAndOwnsThem) {
    TString<unsigned short> in = TString<unsigned short>::fromAscii("ab"), out;
    StringIFlow<unsigned short> src(&in);
    int deleted = 0;
    {
        CompositIFilter chain;
        chain.add(new AddOne<unsigned short>(&deleted));
        chain.setSrc(&src);  // reaches the first member
        chain.add(new AddOne<unsigned short>(&deleted));
        StringOFlow<unsigned short> dest(&out);
        Conveyer(&chain, &dest).carryBlocks();
        EXPECT_TRUE(chain.rewind());
        EXPECT_EQ(chain.size(), 2u);
    }
    EXPECT_EQ(out, TString<unsigned short>::fromAscii("cd"));
    EXPECT_EQ(deleted, 2);
}
