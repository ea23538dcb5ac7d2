#include <gtest/gtest.h>

#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/PushbackIFilter.h"
#include "ccc/flow/Spooler.h"
#include "ccc/flow/StringFlow.h"

using namespace CCC;
using U16 = TString<unsigned short>;

namespace {

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
