// The Unicode forms against glibc iconv, and the contract of the step
// driver every conversion stage shares.
#include "PumpKit.h"
#include "ccc/flow/StringFlow.h"
#include "ccc/japanese/Iso2022JpFilters.h"
#include "ccc/japanese/Ucs2Encoders.h"
#include "ccc/unicode/Utf8Filters.h"
#include "support/IoCode.h"

using namespace qmtest;

namespace {

// ---- random text against glibc iconv ----

Bytes runBytes(const std::vector<int>& filters, int inWidth, const Bytes& in, int outWidth,
               ReadMode mode, unsigned seed) {
    Values v;
    byWidth(inWidth, [&](auto i) {
        for (auto u : unitsOf<decltype(i)>(in)) v.push_back(static_cast<std::make_unsigned_t<decltype(i)>>(u));
        return 0;
    });
    Values out = pump(filters, v, mode, seed);
    return byWidth(outWidth, [&](auto o) { return bytesOf(std::vector<decltype(o)>(out.begin(), out.end())); });
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

// ---- the step driver ----

TEST(StepDriver, RestOfAStepWaitsAndNewSourceStartsClean) {
    // One step gives ESC $ B 24 22: the unit path hands out the first and
    // keeps the rest in order; the end of data adds the closing designation.
    CCC::TString<unsigned short> hiragana{0x3042};
    CCC::StringIFlow<unsigned short> ucs2(&hiragana);
    CCC::FromUcs2ToIso2022Jp enc;
    enc.setSrc(&ucs2);
    EXPECT_EQ(0x1B, enc.get8());
    EXPECT_EQ(4u, enc.pushbackCount());
    std::string rest;
    for (int i = 0; i < 7; ++i) rest += enc.get8();
    EXPECT_EQ(rest, "$B$\"\x1B(B");
    EXPECT_EQ(ioCode([&] { enc.get8(); }), CCC::IOException::kEndOfData);

    // Half a character, a designation and units read ahead from one source
    // do not leak into the next, nor past a rewind.
    CCC::TString<char> jis("\x1B$B$\"$$", 7), plain("$\""), half("\xE3\x81", 2), marked("\xEF\xBB\xBFxy");
    CCC::StringIFlow<char> srcJis(&jis), srcPlain(&plain), srcHalf(&half), srcMarked(&marked);
    CCC::FromIso2022JpToSjis dec;
    dec.setSrc(&srcJis);
    EXPECT_EQ('\x82', dec.get8());
    ASSERT_TRUE(dec.rewind());
    EXPECT_EQ(0u, dec.pushbackCount());
    char block[8];
    std::size_t count = 0;
    dec.read8(sizeof block, block, count);
    EXPECT_EQ("\x82\xA0\x82\xA2", std::string(block, count));
    srcJis.rewind();
    EXPECT_EQ('\x82', dec.get8());
    dec.setSrc(&srcPlain);
    dec.read8(sizeof block, block, count);
    EXPECT_EQ("$\"", std::string(block, count));

    CCC::FromUtf8ToUtf16N utf8;
    utf8.setSrc(&srcHalf);
    EXPECT_THROW(utf8.get16(), CCC::IOException);
    utf8.setSrc(&srcMarked);
    EXPECT_EQ(utf8.get16(), 'x');  // the mark is dropped at the head of the new source
    utf8.unget(0x3042);
    srcMarked.rewind();
    utf8.setSrc(&srcMarked);
    EXPECT_EQ(utf8.get16(), 'x');
}

TEST(StepDriver, LargeBlocksUseFewSourceReads) {
    // A long ASCII text through UTF-8 -> UTF-16 must not fall back to one
    // source read per unit.
    std::vector<char> text(100000, 'a');
    ShortBlockIFlow<char> src(text, {{1 << 20}});
    CCC::FromUtf8ToUtf16N f;
    f.setSrc(&src);
    EXPECT_EQ(drain<unsigned short>(f, ReadMode::Blocks).size(), text.size());
    EXPECT_LT(src.blockReads(), 100u);
}

} // namespace
