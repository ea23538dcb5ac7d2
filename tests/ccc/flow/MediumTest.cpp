#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/PushbackIFilter.h"
#include "support/Files.h"
#include "support/IoCode.h"

using namespace CCC;

TEST(FileIFlow, UnitsOfEveryWidthAndTheLastShortBlock) {
    qmtest::Scratch scratch("flow");
    const std::string path = scratch.file("in");
    qmtest::writeBytes(path, "abcde");
    FileIFlow in(path.c_str());
    EXPECT_EQ(in.get8(), 'a');
    EXPECT_EQ(in.get32(), unsigned('b' | 'c' << 8 | 'd' << 16 | 'e' << 24));
    EXPECT_EQ(qmtest::ioCode([&] { in.get8(); }), 1);

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
}

TEST(FileOFlow, WritesUnitsInMachineOrderAndAppends) {
    qmtest::Scratch scratch("flow");
    const std::string path = scratch.file("out");
    {
        FileOFlow out(path.c_str());
        out.put16(0x4241);
        EXPECT_TRUE(out.writeZ8("C"));
        EXPECT_TRUE(out.close());
    }
    FileOFlow(path.c_str(), true, true).put8('D');
    MemOFlow mem;
    mem.put32(0x64636261);
    EXPECT_EQ(qmtest::readBytes(path), "ABCD");
    EXPECT_EQ(mem.bytes(), "abcd");
}
