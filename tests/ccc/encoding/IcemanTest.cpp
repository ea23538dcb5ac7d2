#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/UnivString.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {
const TString<char> kSjisA("\x82\xA0");  // HIRAGANA LETTER A in cp932
const DString kA(1, 0x3042);
} // namespace

TEST(Iceman, StringConversions) {
    // The destination is replaced, also when nothing converts or there is no route.
    DString dst = DString::fromAscii("stale");
    TString<char> bytes("stale");
    EXPECT_TRUE(Iceman::convertToDString(37, 10, kSjisA, dst));
    EXPECT_EQ(dst, kA);
    EXPECT_TRUE(Iceman::convertToBString(10, 37, DString(), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(Iceman::convertToDString(41, 2, DString::fromAscii("x"), dst));
    EXPECT_TRUE(dst.empty());
    // Equal ends pass units through in the destination's width only; a null source fails.
    const DString abc = DString::fromAscii("abc");
    EXPECT_TRUE(Iceman::convertToDString(10, 10, abc, dst));
    EXPECT_EQ(dst, abc);
    EXPECT_FALSE(Iceman::convertToBString(10, 10, abc, bytes));
    const TString<unsigned int> q{0x1F600u, 0x41u};
    TString<unsigned int> wide;
    EXPECT_TRUE(Iceman::convertToQString(4, 4, &q, &wide));
    EXPECT_EQ(wide, q);
    EXPECT_FALSE(Iceman::convertToDString(10, 10, static_cast<const DString*>(nullptr), &dst));

    // The filter form leaves the chain to the caller, reusable and without a dangling source.
    std::unique_ptr<CompositIFilter> chain(Iceman::createCompositIFilter(10, 10));
    ASSERT_NE(chain, nullptr);
    for (const char* text : {"one", "two"}) {
        EXPECT_TRUE(Iceman::convertToDString(chain.get(), DString::fromAscii(text), dst));
        EXPECT_EQ(dst, DString::fromAscii(text));
        EXPECT_FALSE(chain->openP());
    }
    EXPECT_FALSE(Iceman::convertToBString(static_cast<IFilter*>(nullptr), abc, bytes));
}

TEST(Iceman, UnivString) {
    const unsigned short hi[] = {'h', 'i', 0};
    const unsigned int q[] = {0x10000u, 0};
    auto d = [](const UnivString& u, CeId to) { return std::unique_ptr<DString>(u.convertToDString(to)); };
    EXPECT_EQ(*d(UnivString(10, hi), 10), DString::fromAscii("hi"));
    EXPECT_EQ(*d(UnivString(10, hi, 1), 10), DString::fromAscii("h"));
    EXPECT_EQ(*d(UnivString(10, DString::fromAscii("hey")), 10), DString::fromAscii("hey"));
    EXPECT_EQ(*d(UnivString(37, "\x82\xA0"), 10), kA);
    EXPECT_EQ(UnivString(10, hi).getCeId(), 10);
    EXPECT_EQ(*std::unique_ptr<TString<char>>(UnivString(1, "abc").convertToBString(1)), TString<char>("abc"));
    EXPECT_EQ(*std::unique_ptr<TString<unsigned int>>(UnivString(4, q).convertToQString(4)),
              TString<unsigned int>(1, 0x10000u));
    // No text, no route, or a last stage of the wrong width: null.
    EXPECT_EQ(d(UnivString(10, static_cast<const unsigned short*>(nullptr)), 10), nullptr);
    EXPECT_EQ(d(UnivString(41, "x"), 2), nullptr);
    EXPECT_EQ(d(UnivString(37, "\x82\xA0"), 7), nullptr);
    EXPECT_EQ(d(UnivString(1, "abc"), 1), nullptr);
}

TEST(Iceman, MemoryFileAndDetection) {
    const std::string text = "line one\nline two\n";
    char out[64] = {}, small[4];
    std::size_t written = 0;
    EXPECT_TRUE(Iceman::convertMemory(8, 8, text.data(), text.size(), out, sizeof out, &written));
    EXPECT_EQ(std::string(out, written), text);
    EXPECT_FALSE(Iceman::convertMemory(8, 8, text.data(), text.size(), small, sizeof small, &written));
    EXPECT_EQ(written, sizeof small);
    EXPECT_FALSE(Iceman::convertMemory(41, 2, text.data(), text.size(), out, sizeof out));
    EXPECT_TRUE(Iceman::convertMemory(8, 8, text.data(), 0, out, sizeof out, &written));
    EXPECT_EQ(written, 0u);

    // Files from their current position on; both streams stay open.
    std::FILE* in = std::tmpfile();
    std::FILE* to = std::tmpfile();
    ASSERT_TRUE(in && to);
    std::fputs(("skip:" + text).c_str(), in);
    std::fseek(in, 5, SEEK_SET);
    EXPECT_TRUE(Iceman::convertFile(7, 7, in, to));
    EXPECT_EQ(std::fputc('!', to), '!');
    std::rewind(to);
    EXPECT_EQ(std::string(out, std::fread(out, 1, sizeof out, to)), text + "!");
    std::rewind(in);
    EXPECT_EQ(Iceman::detect(41, in), 0);
    EXPECT_EQ(std::fputc('x', in), 'x');
    std::fclose(in);
    std::fclose(to);

    // Detection falls back to nothing.
    EXPECT_EQ(Iceman::detect(41, text.data(), text.size()), 0);
    EXPECT_EQ(Iceman::detect(41, nullptr, 10), 0);
    EXPECT_EQ(Iceman::detect(7, text.data(), text.size()), 0);  // not a detector
    EXPECT_EQ(Iceman::detect(99, text.data(), text.size()), 0);
    EXPECT_EQ(Iceman::detect(40, static_cast<std::FILE*>(nullptr)), 0);
    EXPECT_EQ(Iceman::detect(42, kSjisA.data(), kSjisA.size()), 0);
    EXPECT_EQ(Iceman::detect(40, kSjisA.data(), kSjisA.size()), 23);
}
