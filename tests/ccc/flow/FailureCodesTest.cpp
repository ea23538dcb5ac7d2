// Every failure of a flow, filter or pump as its IOException code.

#include <gtest/gtest.h>

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
    for (const auto& c : cases) EXPECT_EQ(qmtest::ioCode(c.action), c.code) << c.what;
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
