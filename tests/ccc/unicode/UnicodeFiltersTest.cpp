#include <gtest/gtest.h>

#include "PumpKit.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/flow/StringFlow.h"
#include "ccc/unicode/MarkFilters.h"
#include "ccc/unicode/Utf8Filters.h"

using namespace qmtest;

namespace {

Values str(const char* s) { return valuesOf(Bytes(s)); }

// ---- edge cases, each read unit by unit, block-wise and mixed ----

struct Case {
    const char* name;
    std::vector<int> filters;
    int inWidth;
    Values in;
    int outWidth;
    Values out;
};

const Case kCases[] = {
    // byte-order marks
    {"utf-16 without mark", {26}, 2, {0x41, 0xFEFF}, 2, {0x41, 0xFEFF}},
    {"utf-16 mark added to empty data", {25}, 2, {}, 2, {0xFEFF}},
    {"utf-16be mark dropped once", {29}, 2, {0xFFFE, 0xFFFE}, 2, {0xFFFE}},
    {"utf-16le other first unit kept", {30}, 2, {0x41, 0xFEFF}, 2, {0x41, 0xFEFF}},
    {"utf-32be mark added", {41}, 4, {}, 4, {0xFFFE0000}},
    {"ucs2 mark at head dropped", {24}, 2, {0xFEFF, 0xFEFF}, 2, {0xFEFF}},
    {"ucs4 mark at head dropped", {16}, 4, {0xFEFF, 0x41, 0xFEFF}, 2, {0x41, 0xFEFF}},
    {"utf-32n keeps a leading mark", {32}, 4, {0xFEFF}, 2, {0xFEFF}},
    {"utf-8 mark at head dropped", {23}, 1, str("\xEF\xBB\xBF" "A\xEF\xBB\xBF"), 2, {0x41, 0xFEFF}},
    {"utf-8 partial mark kept", {13}, 1, str("\xEF\xBB" "A"), 1, str("\xEF\xBB" "A")},
    {"utf-8 mark only at head", {13}, 1, str("A\xEF\xBB\xBF"), 1, str("A\xEF\xBB\xBF")},
    {"utf-8 mark added", {14}, 1, str("A"), 1, str("\xEF\xBB\xBF" "A")},
    // UTF-8
    {"U+1F600 to utf-8n", {22}, 2, {0xD83D, 0xDE00}, 1, str("\xF0\x9F\x98\x80")},
    {"utf-8 mark for empty data", {21}, 2, {}, 1, str("\xEF\xBB\xBF")},
    {"ucs2 surrogates pair as in utf-16", {12}, 2, {0xD83D, 0xDE00}, 1, str("\xF0\x9F\x98\x80")},
    {"one, two and three bytes", {12}, 2, {0x41, 0xE9, 0x3042}, 1, str("A\xC3\xA9\xE3\x81\x82")},
    {"four bytes give nothing in ucs2", {11}, 1, str("\xF0\x9F\x98\x80" "A"), 2, {0x41}},
    {"four bytes give a pair", {23}, 1, str("\xF0\x9F\x98\x80"), 2, {0xD83D, 0xDE00}},
    {"four bytes beyond U+10FFFF dropped", {23}, 1, str("\xF4\x90\x80\x80" "A"), 2, {0x41}},
    {"two and three bytes", {11}, 1, str("\xC3\xA9\xE3\x81\x82"), 2, {0xE9, 0x3042}},
    {"utf-8n keeps a leading mark in ucs2", {11}, 1, str("\xEF\xBB\xBF"), 2, {0xFEFF}},
    {"partial sequence at the end lost", {23}, 1, str("A\xE3\x81"), 2, {0x41}},
    // UTF-7
    {"utf-7 plus", {9}, 2, {'+'}, 1, str("+-")},
    {"utf-7 run closed by hyphen", {9}, 2, {0x65E5, 'a'}, 1, {0x2B, 0x5A, 0x65, 0x55, 0x2D, 0x61}},
    {"utf-7 run closed by space", {9}, 2, {0x65E5, ' '}, 1, {0x2B, 0x5A, 0x65, 0x55, 0x20}},
    {"utf-7 run closed at the end", {9}, 2, {0x65E5}, 1, str("+ZeU-")},
    {"utf-7 pending byte", {9}, 2, {0x65E5, 0x672C}, 1, str("+ZeVnLA-")},
    {"utf-7 pending byte closed by text", {9}, 2, {0x65E5, 0x672C, '.'}, 1, str("+ZeVnLA.")},
    {"utf-7 three units", {9}, 2, {0x65E5, 0x672C, 0x8A9E, '-'}, 1, str("+ZeVnLIqe--")},
    {"utf-7 set O in base64", {9}, 2, {'!'}, 1, str("+ACE-")},
    {"utf-7 decode", {10}, 1, {0x2B, 0x5A, 0x65, 0x55, 0x2D, 0x61}, 2, {0x65E5, 'a'}},
    {"utf-7 decode three units", {10}, 1, str("+ZeVnLIqe--"), 2, {0x65E5, 0x672C, 0x8A9E, '-'}},
    {"utf-7 decode plus", {10}, 1, str("a+-b"), 2, {'a', '+', 'b'}},
    {"utf-7 decode implicit close", {10}, 1, str("+ZeU x"), 2, {0x65E5, ' ', 'x'}},
    {"utf-7 decode pending", {10}, 1, str("+ZeVnLA-"), 2, {0x65E5, 0x672C}},
    {"utf-7 decode run at the end", {10}, 1, str("+ZeU"), 2, {0x65E5}},
    // widths and ranges
    {"utf-16 pairs to ucs4", {15}, 2, {0xD83D, 0xDE00, 0xDC00, 0x41}, 4, {0x1F600, 0x41}},
    {"utf-16 lone high to utf-32", {33}, 2, {0xDBFF, 0xDBFF, 0x41}, 4, {0x41}},
    {"ucs4 to utf-16", {16}, 4, {0x1F600, 0x110000, 0x10FFFF}, 2, {0xD83D, 0xDE00, 0xDBFF, 0xDFFF}},
    {"surrogate values to utf-16 dropped", {32}, 4, {0xD83D, 0xDE00, 0x41, 0xDFFF}, 2, {0x41}},
    {"ucs4 to us-ascii", {2}, 4, {0x41, 0x80, 0x7F}, 1, {0x41, 0x7F}},
    {"ucs4 to ucs2", {4}, 4, {0xFFFF, 0x10000, 0xD800, 0x41}, 2, {0xFFFF, 0x41}},
    {"ucs4 to utf-32", {34}, 4, {0x10FFFF, 0x110000, 0xDC00, 0xD7FF, 0xE000}, 4, {0x10FFFF, 0xD7FF, 0xE000}},
    {"us-ascii widened", {0}, 1, {0x41, 0xE9}, 2, {0x41, 0xE9}},
    {"us-ascii to ucs4", {1}, 1, {0x41, 0xFF}, 4, {0x41, 0xFF}},
    {"ucs2 to ucs4", {3}, 2, {0xD800, 0xFFFF, 0xDBFF, 0xDFFF}, 4, {0xFFFF, 0x10FFFF}},
    {"16-bit swap", {5}, 2, {0x1234, 0xFEFF}, 2, {0x3412, 0xFFFE}},
    {"32-bit swap", {6}, 4, {0x12345678}, 4, {0x78563412}},
};

// Source blocks of one unit (every unit boundary a block boundary), of
// random sizes, and one block for all.
const struct {
    unsigned seed;
    std::size_t maxBlock;
} kBlockings[] = {{1, 1}, {2, 0}, {3, 0}};

TEST(UnicodeEdgeCases, Table) {
    for (const Case& c : kCases) {
        for (ReadMode mode : kModes) {
            for (const auto& b : kBlockings) {
                EXPECT_EQ(runValues(*chainOf(c.filters), c.inWidth, c.in, c.outWidth, mode, b.seed, b.maxBlock), c.out)
                    << c.name << " mode " << static_cast<int>(mode) << " seed " << b.seed;
            }
        }
    }
}

// Every stage that pairs surrogates drops a lone one by itself, never the
// unit after it (which may close an attribute). The UTF-8 output must be
// valid to glibc iconv and give the same code points.
TEST(UnicodeEdgeCases, LoneSurrogatesDroppedAlone) {
    const struct {
        Values in, out;
    } rows[] = {
        {{0xD800, '"', '<'}, {'"', '<'}},
        {{'A', 0xDC00, 'B'}, {'A', 'B'}},
        {{0xDBFF, 0xD83D, 0xDE00, 'A'}, {0x1F600, 'A'}},
        {{0xDE00, 0xD83D}, {}},
        {{'A', 0xD800}, {'A'}},
        {{0xD800, 0xE9, 0xD800, 0x3042, 0xDFFF, 0xDFFF}, {0xE9, 0x3042}},
        {{0x3042, 0xD800, 0x3044, 0xDC00, 0x3046}, {0x3042, 0x3044, 0x3046}},
        {{'a', 'b', 'c', 'd', 0xD800, '"', 'e', 'f', 'g', 'h', 0xDC00}, {'a', 'b', 'c', 'd', '"', 'e', 'f', 'g', 'h'}},
    };
    for (const auto& row : rows) {
        for (ReadMode mode : kModes) {
            for (const auto& b : kBlockings) {
                for (int f : {3, 15, 33})
                    EXPECT_EQ(pump({f}, row.in, mode, b.seed, b.maxBlock), row.out) << "filter " << f;
                for (int f : {12, 22}) {
                    Bytes utf8 = bytesOf(narrowTo<char>(pump({f}, row.in, mode, b.seed, b.maxBlock)));
                    EXPECT_EQ(widen(unitsOf<unsigned int>(iconvConvert("UTF-8", "UTF-32LE", utf8))), row.out)
                        << "filter " << f;
                }
            }
        }
    }
}

TEST(UnicodeEdgeCases, EndOfDataAndRestart) {
    // The end of data is code 1 on a unit read and a count of 0 on a block read.
    CCC::FromUtf16NToUtf16 f;
    CCC::TString<unsigned short> empty;
    CCC::StringIFlow<unsigned short> src(&empty);
    f.setSrc(&src);
    EXPECT_TRUE(f.headP());
    EXPECT_EQ(f.get16(), 0xFEFF);
    EXPECT_FALSE(f.headP());
    try {
        f.get16();
        FAIL() << "no end of data";
    } catch (const CCC::IOException& e) {
        EXPECT_EQ(e.getCode(), CCC::IOException::kEndOfData);
    }
    unsigned short buf[4];
    std::size_t count = 99;
    f.read16(4, buf, count);
    EXPECT_EQ(count, 0u);
    // rewind starts over: the mark is owed again.
    EXPECT_TRUE(f.rewind());
    f.read16(4, buf, count);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(buf[0], 0xFEFF);
    // Other widths are refused, and no source is code 6.
    EXPECT_THROW(f.get8(), CCC::IOException);
    CCC::FromUtf16NToUtf8N g;
    try {
        g.get8();
        FAIL() << "read without a source";
    } catch (const CCC::IOException& e) {
        EXPECT_EQ(e.getCode(), CCC::IOException::kNoSource);
    }
}

TEST(UnicodeEdgeCases, NewSourceDropsReadAheadAndState) {
    // Half a sequence and units read ahead from the first source must not
    // leak into the second.
    CCC::FromUtf8ToUtf16N f;
    Bytes first = "\xE3\x81";
    Bytes second = "\xEF\xBB\xBFxy";
    CCC::TString<char> a(first.begin(), first.end()), b(second.begin(), second.end());
    CCC::StringIFlow<char> srcA(&a), srcB(&b);
    f.setSrc(&srcA);
    EXPECT_THROW(f.get16(), CCC::IOException);
    f.setSrc(&srcB);
    EXPECT_EQ(f.get16(), 'x');  // the mark is dropped at the head of the new source
    f.setSrc(&srcA);
    srcA.rewind();
    f.unget(0x3042);
    f.setSrc(&srcB);
    srcB.rewind();
    EXPECT_EQ(f.get16(), 'x');
}

// ---- random text against glibc iconv ----

Bytes runBytes(const std::vector<int>& filters, int inWidth, const Bytes& in, int outWidth,
               ReadMode mode, unsigned seed) {
    Values v = byWidth(inWidth, [&](auto i) { return widen(unitsOf<decltype(i)>(in)); });
    Values out = pump(filters, v, mode, seed);
    return byWidth(outWidth, [&](auto o) { return bytesOf(narrowTo<decltype(o)>(out)); });
}

TEST(UnicodeAgainstIconv, EveryFormAndByteOrder) {
    const Bytes bom8 = "\xEF\xBB\xBF";
    const Bytes le16 = "\xFF\xFE", be16 = "\xFE\xFF";
    const Bytes le32("\xFF\xFE\x00\x00", 4), be32("\x00\x00\xFE\xFF", 4);
    std::mt19937 rng(20261206);
    for (int round = 0; round < 6; ++round) {
        const Bytes u32 = bytesOf(randomText(rng, 500 + rng() % 3000));
        const struct {
            Bytes u8, u16le, u16be, u32le, u32be;
        } r = {iconvConvert("UTF-32LE", "UTF-8", u32), iconvConvert("UTF-32LE", "UTF-16LE", u32),
               iconvConvert("UTF-32LE", "UTF-16BE", u32), u32, iconvConvert("UTF-32LE", "UTF-32BE", u32)};
        struct Row {
            const char* name;
            std::vector<int> filters;
            int inWidth;
            Bytes in;
            int outWidth;
            Bytes out;
        } rows[] = {
            {"utf-8n -> utf-16n", {14, 23}, 1, r.u8, 2, r.u16le},
            {"utf-8 -> utf-16n", {23}, 1, bom8 + r.u8, 2, r.u16le},
            {"utf-16n -> utf-8n", {22}, 2, r.u16le, 1, r.u8},
            {"utf-16n -> utf-8", {21}, 2, r.u16le, 1, bom8 + r.u8},
            {"utf-8 -> utf-8n", {13}, 1, bom8 + r.u8, 1, r.u8},
            {"utf-16n -> utf-32n", {33}, 2, r.u16le, 4, r.u32le},
            {"utf-32n -> utf-16n", {32}, 4, r.u32le, 2, r.u16le},
            {"ucs4 -> utf-16n", {16}, 4, r.u32le, 2, r.u16le},
            {"utf-16n -> ucs4", {15}, 2, r.u16le, 4, r.u32le},
            {"utf-16n -> utf-16be", {17}, 2, r.u16le, 2, r.u16be},
            {"utf-16be -> utf-16n", {19}, 2, r.u16be, 2, r.u16le},
            {"utf-16n -> utf-16le", {18}, 2, r.u16le, 2, r.u16le},
            {"utf-16n -> utf-16be+bom", {17, 27}, 2, r.u16le, 2, be16 + r.u16be},
            {"utf-16be+bom -> utf-16n", {29, 19}, 2, be16 + r.u16be, 2, r.u16le},
            {"utf-16n -> utf-16le+bom", {18, 28}, 2, r.u16le, 2, le16 + r.u16le},
            {"utf-16le+bom -> utf-16n", {30, 20}, 2, le16 + r.u16le, 2, r.u16le},
            {"utf-16n -> utf-16", {25}, 2, r.u16le, 2, le16 + r.u16le},
            {"utf-16 (be) -> utf-16n", {26}, 2, be16 + r.u16be, 2, r.u16le},
            {"utf-16 (le) -> utf-16n", {26}, 2, le16 + r.u16le, 2, r.u16le},
            {"utf-32n -> utf-32be", {35}, 4, r.u32le, 4, r.u32be},
            {"utf-32be -> utf-32n", {37}, 4, r.u32be, 4, r.u32le},
            {"utf-32n -> utf-32be+bom", {35, 41}, 4, r.u32le, 4, be32 + r.u32be},
            {"utf-32be+bom -> utf-32n", {43, 37}, 4, be32 + r.u32be, 4, r.u32le},
            {"utf-32n -> utf-32le+bom", {36, 42}, 4, r.u32le, 4, le32 + r.u32le},
            {"utf-32le+bom -> utf-32n", {44, 38}, 4, le32 + r.u32le, 4, r.u32le},
            {"utf-32n -> utf-32", {39}, 4, r.u32le, 4, le32 + r.u32le},
            {"utf-32 (be) -> utf-32n", {40}, 4, be32 + r.u32be, 4, r.u32le},
            {"utf-8n -> utf-32n", {14, 23, 33}, 1, r.u8, 4, r.u32le},
            {"utf-32n -> utf-8n", {32, 22}, 4, r.u32le, 1, r.u8},
        };
        for (const Row& row : rows) {
            for (ReadMode mode : kModes) {
                unsigned seed = static_cast<unsigned>(round * 3 + static_cast<int>(mode));
                EXPECT_EQ(runBytes(row.filters, row.inWidth, row.in, row.outWidth, mode, seed), row.out)
                    << row.name << " round " << round << " mode " << static_cast<int>(mode);
            }
        }
    }
}

TEST(UnicodeAgainstIconv, Utf7BothWays) {
    std::mt19937 rng(7);
    for (int round = 0; round < 8; ++round) {
        Bytes ucs2 = iconvConvert("UTF-32LE", "UTF-16LE", bytesOf(randomText(rng, 200 + rng() % 800, true)));
        for (ReadMode mode : kModes) {
            unsigned seed = static_cast<unsigned>(round * 3 + static_cast<int>(mode));
            Bytes ours = runBytes({9}, 2, ucs2, 1, mode, seed);
            EXPECT_EQ(iconvConvert("UTF-7", "UTF-16LE", ours), ucs2) << "round " << round;
            Bytes theirs = iconvConvert("UTF-16LE", "UTF-7", ucs2);
            EXPECT_EQ(runBytes({10}, 1, theirs, 2, mode, seed), ucs2) << "round " << round;
            EXPECT_EQ(runBytes({10}, 1, ours, 2, mode, seed), ucs2) << "round " << round;
        }
    }
}

// ---- the factory, and the block path gives exactly the units of the unit path ----

struct Widths {
    int in, out;
};
// Source and delivered unit widths of filters 0-44.
const Widths kWidths[45] = {
    {1, 2}, {1, 4}, {4, 1}, {2, 4}, {4, 2}, {2, 2}, {4, 4}, {2, 2}, {4, 4}, {2, 1},  // 0-9
    {1, 2}, {1, 2}, {2, 1}, {1, 1}, {1, 1}, {2, 4}, {4, 2}, {2, 2}, {2, 2}, {2, 2},  // 10-19
    {2, 2}, {2, 1}, {2, 1}, {1, 2}, {2, 2}, {2, 2}, {2, 2}, {2, 2}, {2, 2}, {2, 2},  // 20-29
    {2, 2}, {4, 4}, {4, 2}, {2, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4},  // 30-39
    {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4},                                          // 40-44
};

// Random units of a width, rich in the values the stages treat specially.
Values randomUnits(std::mt19937& rng, int width, std::size_t n) {
    static const unsigned int special[] = {0x0A, 0x0D, '+', '-', 'A', ' ', 0x7F, 0x80, 0xBB, 0xBF, 0xEF,
                                           0xC3, 0xE3, 0xF0, 0xF4, 0xFF, 0xFEFF, 0xFFFE, 0xD83D, 0xDE00,
                                           0xDBFF, 0xDC00, 0x3042, 0xFFFE0000, 0x1F600, 0x110000};
    Values v;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned int u = rng() % 2 ? special[rng() % std::size(special)] : static_cast<unsigned int>(rng());
        if (width == 1) u &= 0xFF;
        if (width == 2) u &= 0xFFFF;
        if (width == 4 && rng() % 4) u &= 0x1FFFFF;
        v.push_back(u);
    }
    return v;
}

TEST(UnicodeFilters, FactoryWidthsAndBlockPathEqualsUnitPath) {
    std::mt19937 rng(42);
    for (int n = 0; n < 45; ++n) {
        std::unique_ptr<CCC::IFilter> f(CCC::createUnicodeUnitFilter(n));
        ASSERT_NE(f, nullptr) << n;
        EXPECT_EQ(f->getIOType(), static_cast<CCC::IOType>(kWidths[n].out)) << n;
        EXPECT_EQ(f->getSrcIOTypeMask(), static_cast<CCC::IOType>(kWidths[n].in)) << n;
        EXPECT_FALSE(f->openP());
        for (int round = 0; round < 20; ++round) {
            Values in = randomUnits(rng, kWidths[n].in, rng() % 300);
            Values byUnits = pump({n}, in, ReadMode::Units, 1);
            unsigned seed = static_cast<unsigned>(rng());
            EXPECT_EQ(pump({n}, in, ReadMode::Blocks, seed), byUnits) << "filter " << n << " round " << round;
            EXPECT_EQ(pump({n}, in, ReadMode::Mixed, seed + 1), byUnits) << "filter " << n << " round " << round;
        }
    }
    for (int n : {-1, 45, 57, 112}) EXPECT_EQ(CCC::createUnicodeUnitFilter(n), nullptr) << n;
    std::unique_ptr<CCC::IFilter> f(CCC::createUnicodeUnitFilter(21));
    EXPECT_NE(dynamic_cast<CCC::FromUtf16NToUtf8*>(f.get()), nullptr);
}

TEST(UnicodeBlockPath, LargeBlocksUseFewSourceReads) {
    // A long ASCII text through UTF-8 -> UTF-16 must not fall back to one
    // source read per unit.
    std::vector<char> text(100000, 'a');
    ChoppyIFlow<char> src(text, 3, 1 << 20);
    CCC::FromUtf8ToUtf16N f;
    f.setSrc(&src);
    std::vector<unsigned short> out = drain<unsigned short>(f, ReadMode::Blocks);
    EXPECT_EQ(out.size(), text.size());
    EXPECT_LT(src.blockReads(), 100u);
}

} // namespace
