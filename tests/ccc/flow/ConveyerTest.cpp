#include <gtest/gtest.h>

#include <string>

#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/IFilter.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/OFilter.h"
#include "support/IoCode.h"

using namespace CCC;
using qmtest::ioCode;

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

namespace {
// A source whose block reads are the base class's loop over its unit reads.
struct UnitsOnly : FixedMemIFlow {
    using FixedMemIFlow::FixedMemIFlow;
    void read8(std::size_t n, char* b, std::size_t& c) override { IFlow::read8(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { IFlow::read16(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { IFlow::read32(n, b, c); }
};
} // namespace

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
