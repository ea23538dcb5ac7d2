#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "ccc/encoding/CeIdTable.h"
#include "ccc/encoding/CenDictionary.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/UnivString.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {
const TString<char> kSjisA("\x82\xA0");  // HIRAGANA LETTER A in cp932
const DString kA(1, 0x3042);
} // namespace

TEST(Iceman, NamesCorpus) {
    for (const auto& line : qmtest::readCorpus("ccc/names.txt")) {
        SCOPED_TRACE(line.where);
        const std::string name = qmtest::unescape(line.fields.at(0));
        const CeId id = std::stoi(line.fields.at(1));
        EXPECT_EQ(Iceman::stringToCeId(std::string_view(name)), id);
        EXPECT_EQ(Iceman::stringToCeId(TString<char>(name.data(), name.size())), id);
        const bool zeroFree = name.find('\0') == std::string::npos, canonical = line.fields.size() > 2;
        EXPECT_EQ(zeroFree ? Iceman::stringToCeId(name.c_str()) : id, id);
        EXPECT_STREQ(canonical ? Iceman::ceIdToString(id) : name.c_str(), name.c_str());
    }
    EXPECT_EQ(Iceman::stringToCeId(static_cast<const char*>(nullptr)), 0);
    for (CeId none : {0, 43, -1, 65536}) EXPECT_EQ(Iceman::ceIdToString(none), nullptr) << none;

    // Every name of the table, in upper case too.
    EXPECT_EQ(Iceman::getCenDictionary()->size(), CeIdTable::nameCount());
    for (std::size_t i = 0; i < CeIdTable::nameCount(); ++i) {
        std::string upper = CeIdTable::names()[i].name;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(Iceman::stringToCeId(upper), CeIdTable::names()[i].id) << upper;
    }
    // Byte-swapped encodings have no width of their own: they are read
    // through their partner.
    EXPECT_EQ(Iceman::getIOType(23), kIO8);
    EXPECT_EQ(Iceman::getIOType(13) + Iceman::getIOType(40), 0);
    EXPECT_EQ(Iceman::getSwapPartner(13), 9);
    EXPECT_EQ(Iceman::getSwapPartner(14), 0);
}

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
    // Chains by name, and with a newline stage.
    EXPECT_EQ(Iceman::createCompositIFilter("utf-8", "no such name"), nullptr);
    for (CompositIFilter* c : {Iceman::createCompositIFilter("utf-8", "Shift_JIS"), Iceman::createCompositIFilter(7, 23, 5)}) {
        EXPECT_NE(c, nullptr);
        delete c;
    }
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

    // Detection falls back to nothing: no declaration, not a detector, no data.
    for (CeId id : {41, 7, 99}) EXPECT_EQ(Iceman::detect(id, text.data(), text.size()), 0) << id;
    EXPECT_EQ(Iceman::detect(41, nullptr, 10), 0);
    EXPECT_EQ(Iceman::detect(40, static_cast<std::FILE*>(nullptr)), 0);
    EXPECT_EQ(Iceman::detect(42, kSjisA.data(), kSjisA.size()), 0);
    EXPECT_EQ(Iceman::detect(40, kSjisA.data(), kSjisA.size()), 23);
}
