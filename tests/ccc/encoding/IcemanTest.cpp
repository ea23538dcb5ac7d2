#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/UnivString.h"

using namespace CCC;

namespace {

void start() { ASSERT_TRUE(Ccc::initialize()); }

#define CHILD_CHECK(cond) \
    do {                  \
        if (!(cond)) std::_Exit(__LINE__ % 250 + 1); \
    } while (0)

// Runs in a fresh process, so the library starts from scratch.
void lifecycle() {
    CHILD_CHECK(!Ccc::unInitialize());
    CHILD_CHECK(!Ccc::startedP());
    // Before start-up nothing is found, and nothing crashes.
    CHILD_CHECK(Iceman::stringToCeId("utf-8") == 0);
    CHILD_CHECK(Iceman::createCompositIFilter(10, 23) == nullptr);
    CHILD_CHECK(Iceman::dumpRoutes().empty());
    CHILD_CHECK(std::strcmp(Iceman::ceIdToString(23), "Shift_JIS") == 0);

    CHILD_CHECK(Ccc::initialize());
    const IFilterDictionary* routes = Iceman::getIFilterDictionary();
    const CenDictionary* names = Iceman::getCenDictionary();
    CHILD_CHECK(routes && names);
    CHILD_CHECK(Ccc::initialize());  // built once
    CHILD_CHECK(Iceman::getIFilterDictionary() == routes && Iceman::getCenDictionary() == names);
    CHILD_CHECK(Iceman::stringToCeId("utf-8") == 7);

    CHILD_CHECK(Ccc::unInitialize());
    CHILD_CHECK(Iceman::getIFilterDictionary() == nullptr && Iceman::getCenDictionary() == nullptr);
    CHILD_CHECK(Iceman::stringToCeId("utf-8") == 0);
    CHILD_CHECK(Ccc::unInitialize());
    std::_Exit(0);
}

} // namespace

TEST(IcemanLifecycle, StartStopAndLookupsOutsideTheWindow) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(lifecycle(), testing::ExitedWithCode(0), "");
}

TEST(Iceman, StringConversions) {
    start();
    // 0x82 0xA0 in cp932 is HIRAGANA LETTER A.
    // The destination is replaced, also when nothing converts.
    {
        TString<char> src("\x82\xA0"), bytes("stale");
        DString dst = DString::fromAscii("stale");
        EXPECT_TRUE(Iceman::convertToDString(37, 10, src, dst));
        EXPECT_EQ(dst, DString(1, 0x3042));
        EXPECT_TRUE(Iceman::convertToBString(10, 37, DString(), bytes));
        EXPECT_TRUE(bytes.empty());
        dst = DString::fromAscii("stale");  // no route: false, destination still emptied
        EXPECT_FALSE(Iceman::convertToDString(41, 2, DString::fromAscii("x"), dst));
        EXPECT_TRUE(dst.empty());
    }
    // Equal ends pass units through in the destination's width only.
    {
        DString src = DString::fromAscii("abc"), dst;
        EXPECT_TRUE(Iceman::convertToDString(10, 10, src, dst));
        EXPECT_EQ(dst, src);
        TString<char> bytes;
        EXPECT_FALSE(Iceman::convertToBString(10, 10, src, bytes));  // 16-bit source, 8-bit read
        TString<unsigned int> wide;
        TString<unsigned int> q{0x1F600u, 0x41u};
        EXPECT_TRUE(Iceman::convertToQString(4, 4, &q, &wide));
        EXPECT_EQ(wide, q);
    }
    // A null source is a closed flow: the carry fails.
    {
        DString dst;
        EXPECT_FALSE(Iceman::convertToDString(10, 10, static_cast<const DString*>(nullptr), &dst));
    }
    // The filter form leaves the chain to the caller.
    CompositIFilter* chain = Iceman::createCompositIFilter(10, 10);
    ASSERT_NE(chain, nullptr);
    DString a = DString::fromAscii("one"), b = DString::fromAscii("two"), out;
    EXPECT_TRUE(Iceman::convertToDString(chain, a, out));
    EXPECT_EQ(out, a);
    EXPECT_FALSE(chain->openP());  // no dangling source
    EXPECT_TRUE(Iceman::convertToDString(chain, b, out));  // reusable
    EXPECT_EQ(out, b);
    delete chain;
    TString<char> bytes;
    EXPECT_FALSE(Iceman::convertToBString(static_cast<IFilter*>(nullptr), a, bytes));
}

TEST(Iceman, UnivString) {
    start();
    // Each constructor copies into the string of its width.
    {
        const unsigned short text[] = {'h', 'i', 0};
        UnivString z(10, text);
        UnivString n(10, text, 1);
        UnivString s(10, DString::fromAscii("hey"));
        std::unique_ptr<DString> rz(z.convertToDString(10)), rn(n.convertToDString(10)),
            rs(s.convertToDString(10));
        ASSERT_TRUE(rz && rn && rs);
        EXPECT_EQ(*rz, DString::fromAscii("hi"));
        EXPECT_EQ(*rn, DString::fromAscii("h"));
        EXPECT_EQ(*rs, DString::fromAscii("hey"));
        EXPECT_EQ(z.getCeId(), 10);
    }
    {
        UnivString b(1, "abc");
        std::unique_ptr<TString<char>> rb(b.convertToBString(1));
        ASSERT_TRUE(rb);
        EXPECT_EQ(*rb, TString<char>("abc"));
        // The pass-through chain cannot deliver 16-bit units from bytes.
        EXPECT_EQ(b.convertToDString(1), nullptr);
    }
    {
        const unsigned int q[] = {0x10000u, 0};
        UnivString w(4, q);
        std::unique_ptr<TString<unsigned int>> rq(w.convertToQString(4));
        ASSERT_TRUE(rq);
        EXPECT_EQ(*rq, TString<unsigned int>(1, 0x10000u));
    }
    // No text, no route, or a last stage of the wrong width: null.
    EXPECT_EQ(UnivString(10, static_cast<const unsigned short*>(nullptr)).convertToDString(10), nullptr);
    EXPECT_EQ(UnivString(41, "x").convertToDString(2), nullptr);
    EXPECT_EQ(UnivString(37, "\x82\xA0").convertToDString(7), nullptr);
    std::unique_ptr<DString> sj(UnivString(37, "\x82\xA0").convertToDString(10));
    ASSERT_TRUE(sj);
    EXPECT_EQ(*sj, DString(1, 0x3042));
}

TEST(Iceman, MemoryAndFileConversion) {
    start();
    const char text[] = "line one\nline two\n";
    const std::size_t n = sizeof text - 1;
    {
        char out[64] = {};
        std::size_t written = 0;
        EXPECT_TRUE(Iceman::convertMemory(8, 8, text, n, out, sizeof out, &written));
        EXPECT_EQ(written, n);
        EXPECT_EQ(std::string(out, written), std::string(text, n));
        char small[4];
        EXPECT_FALSE(Iceman::convertMemory(8, 8, text, n, small, sizeof small, &written));
        EXPECT_EQ(written, sizeof small);
        EXPECT_FALSE(Iceman::convertMemory(41, 2, text, n, out, sizeof out));
        EXPECT_TRUE(Iceman::convertMemory(8, 8, text, 0, out, sizeof out, &written));
        EXPECT_EQ(written, 0u);
    }
    {
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        ASSERT_TRUE(in && out);
        std::fputs("skip:", in);
        std::fputs(text, in);
        std::fseek(in, 5, SEEK_SET);  // from the current position on
        EXPECT_TRUE(Iceman::convertFile(7, 7, in, out));
        // Both streams are still open and usable.
        EXPECT_EQ(std::fputc('!', out), '!');
        std::rewind(out);
        char back[64] = {};
        std::size_t got = std::fread(back, 1, sizeof back, out);
        EXPECT_EQ(std::string(back, got), std::string(text) + "!");
        std::fclose(in);
        std::fclose(out);
    }
}

TEST(Iceman, DetectFallsBackToNothing) {
    start();
    const char plain[] = "no declaration here";
    EXPECT_EQ(Iceman::detect(41, plain, sizeof plain - 1), 0);
    EXPECT_EQ(Iceman::detect(41, nullptr, 10), 0);
    EXPECT_EQ(Iceman::detect(7, plain, sizeof plain - 1), 0);  // not a detector
    EXPECT_EQ(Iceman::detect(99, plain, sizeof plain - 1), 0);
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs(plain, f);
    std::rewind(f);
    EXPECT_EQ(Iceman::detect(41, f), 0);
    EXPECT_EQ(std::fputc('x', f), 'x');  // still open
    std::fclose(f);
    EXPECT_EQ(Iceman::detect(40, static_cast<std::FILE*>(nullptr)), 0);
}
