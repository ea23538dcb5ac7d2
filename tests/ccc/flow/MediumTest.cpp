#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/flow/StringFlow.h"
#include "FlowTestUtil.h"

using namespace CCC;

namespace {

std::string tempPath(const char* name) {
    return testing::TempDir() + "/" + name + std::to_string(::getpid());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

} // namespace

TEST(FileIFlow, ShortBlockReadStoresTheCountAndThrowsCode1) {
    std::string path = tempPath("short");
    writeFile(path, "abcde");
    FileIFlow in(path.c_str());
    ASSERT_TRUE(in.openP());
    unsigned short units[4] = {};
    std::size_t count = 99;
    EXPECT_EQ(ioCode([&] { in.read16(4, units, count); }), 1);
    EXPECT_EQ(count, 2u);  // the odd fifth byte is lost
    EXPECT_EQ(units[0], 'a' | 'b' << 8);
    EXPECT_TRUE(in.rewind());
    EXPECT_EQ(in.get8(), 'a');
    EXPECT_EQ(in.get32(), unsigned('b' | 'c' << 8 | 'd' << 16 | 'e' << 24));
    EXPECT_EQ(ioCode([&] { in.get8(); }), 1);
    std::remove(path.c_str());
}

TEST(FileIFlow, AStageKeepsTheLastShortBlockOfAFile) {
    std::string path = tempPath("stage");
    writeFile(path, "hello");
    FileIFlow in(path.c_str());
    struct Plain : PushbackIFilter<char> {} stage;
    stage.setSrc(&in);
    char buffer[64];
    bool atEnd = false;
    EXPECT_EQ(readBlock(stage, buffer, sizeof buffer, atEnd), 5u);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_TRUE(atEnd);
    std::remove(path.c_str());
}

TEST(FileIFlow, MissingFileIsClosedAndAdoptedStreamStaysOpen) {
    FileIFlow missing("/nonexistent/dir/file");
    EXPECT_FALSE(missing.openP());
    EXPECT_EQ(ioCode([&] { missing.get8(); }), 3);

    std::string path = tempPath("adopt");
    writeFile(path, "xy");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    {
        FileIFlow in(f);
        EXPECT_EQ(in.get8(), 'x');
        EXPECT_TRUE(in.close());
    }
    EXPECT_EQ(std::fgetc(f), 'y');  // still ours, still open
    std::fclose(f);
    std::remove(path.c_str());
}

TEST(FileOFlow, FailedWriteThrowsCode2) {
    FileOFlow full("/dev/full");
    ASSERT_TRUE(full.openP());
    std::string big(1 << 16, 'x');
    std::size_t count = 0;
    int code = ioCode([&] {
        full.write8(big.size(), big.data(), count);
        full.flush();
    });
    EXPECT_TRUE(code == 2 || code == 8) << code;  // buffered: the flush may be what fails
    FileOFlow closed("/nonexistent/dir/file");
    EXPECT_EQ(ioCode([&] { closed.put8('a'); }), 3);
}

TEST(FileOFlow, WritesUnitsInMachineOrderAndAppends) {
    std::string path = tempPath("out");
    {
        FileOFlow out(path.c_str());
        out.put16(0x4241);
        EXPECT_TRUE(out.writeZ8("C"));
        EXPECT_TRUE(out.close());
    }
    {
        FileOFlow out(path.c_str(), true, true);
        out.put8('D');
    }
    FileIFlow in(path.c_str());
    TString<char> all;
    EXPECT_TRUE(in.readLine8(all, false));
    EXPECT_EQ(all, "ABCD");
    std::remove(path.c_str());
}

TEST(MemoryFlows, ClosedFullAndWrongWidthCodes) {
    FixedMemIFlow nullIn(nullptr, 10);
    EXPECT_FALSE(nullIn.openP());
    EXPECT_EQ(ioCode([&] { nullIn.get8(); }), 3);

    const unsigned short data[] = {1, 2};
    TFixedMemIFlow<unsigned short> typed(data, 2);
    EXPECT_EQ(typed.getIOType(), kIO16);
    EXPECT_EQ(ioCode([&] { typed.get8(); }), 5);
    EXPECT_EQ(typed.get16(), 1);

    char room[3];
    FixedMemOFlow fixed(room, sizeof room);
    std::size_t count = 0;
    EXPECT_EQ(ioCode([&] { fixed.write8(5, "abcde", count); }), 2);
    EXPECT_EQ(count, 3u);
    FixedMemOFlow nullOut(nullptr, 3);
    EXPECT_EQ(ioCode([&] { nullOut.put8('a'); }), 3);

    MemOFlow mem;
    mem.put32(0x64636261);
    EXPECT_EQ(mem.bytes(), "abcd");
}

TEST(StringFlows, ClosedAndWrongWidthCodes) {
    StringIFlow<unsigned short> nullIn(nullptr);
    EXPECT_EQ(ioCode([&] { nullIn.get16(); }), 3);
    StringOFlow<unsigned int> nullOut(nullptr);
    EXPECT_EQ(ioCode([&] { nullOut.put32(1); }), 3);

    TString<unsigned int> s;
    StringOFlow<unsigned int> out(&s);
    EXPECT_EQ(ioCode([&] { out.put16(1); }), 5);
    out.put32(0x1F600);
    EXPECT_EQ(s.size(), 1u);

    StringIFlow<unsigned int> in(&s);
    EXPECT_EQ(ioCode([&] { in.get8(); }), 5);
    EXPECT_EQ(in.get32(), 0x1F600u);
    EXPECT_EQ(ioCode([&] { in.get32(); }), 1);
}
