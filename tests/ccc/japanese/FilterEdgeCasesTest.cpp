// Behaviour of each Japanese unit filter on small inputs: one table of
// (filter number, input, expected output), every row run through the unit
// path, the block path and a mix of both.
#include "../unicode/PumpKit.h"
#include "ccc/japanese/EucSjisFilters.h"
#include "ccc/japanese/Iso2022JpFilters.h"
#include "ccc/japanese/SjisDecoders.h"
#include "ccc/japanese/Ucs2Encoders.h"
#include "ccc/flow/StringFlow.h"

using namespace CCC;
using namespace qmtest;
using Units = Values;

namespace {

struct Row {
    int filter;
    Units input;
    Units output;
    const char* what;
};

// ESC ( B, ESC ( J, ESC $ B as byte lists.
#define ASCII 0x1B, 0x28, 0x42
#define ROMAN 0x1B, 0x28, 0x4A
#define JIS83 0x1B, 0x24, 0x42

const Row kRows[] = {
    // Shift_JIS -> UCS-2 (54)
    {54, {0x82, 0xA0}, {0x3042}, "hiragana a"},
    {54, {0x87, 0x40}, {0xFFFF}, "NEC row 13 is not Shift_JIS"},
    {54, {0x5C, 0x7E, 0x81, 0x5F}, {0x00A5, 0x203E, 0x005C}, "JIS-Roman and the full-width backslash"},
    {54, {0x0A, 0x0D, 0x00, 0x7F}, {0x0A, 0x0D, 0x00, 0x7F}, "controls pass"},
    {54, {0xB1, 0xDF}, {0xFF71, 0xFF9F}, "half-width katakana"},
    {54, {0x80, 0xA0, 0xF0, 0xFF, 0x41}, {0x41}, "bytes that start nothing are skipped"},
    {54, {0xF0, 0x82, 0xA0}, {0x3042}, "a lead byte after a skipped byte"},
    {54, {0x82, 0x41, 0x42}, {0xFFFF, 0x42}, "the byte after a lead byte is taken whatever it is"},
    {54, {0x82, 0x0A}, {0xFFFF}, "even a line feed"},
    {54, {0x41, 0x82}, {0x41}, "a lead byte at the end is lost"},
    {54, {}, {}, "empty"},
    // cp932 -> UCS-2 (55)
    {55, {0x87, 0x40}, {0x2460}, "NEC row 13"},
    {55, {0x5C, 0x7E}, {0x5C, 0x7E}, "ASCII"},
    {55, {0x81, 0x5F, 0x81, 0x60, 0x81, 0x7C, 0x81, 0x91}, {0xFF3C, 0xFF5E, 0xFF0D, 0xFFE0}, "vendor choices"},
    {55, {0xED, 0x40, 0xFA, 0x40, 0xFC, 0x4B}, {0x7E8A, 0x2170, 0x9ED1}, "NEC-selected and IBM extensions"},
    {55, {0xF0, 0x40, 0xF9, 0xFC}, {0xFFFF, 0xFFFF}, "user-defined area"},
    {55, {0x80, 0x41, 0xFF, 0x42}, {0xFFFF, 0xFFFF}, "every other high byte leads a pair"},
    {55, {0x09, 0x7F, 0xB1}, {0x09, 0x7F, 0xFF71}, "controls and katakana"},
    {55, {0x82}, {}, "a lead byte at the end is lost"},
    // UCS-2 -> Shift_JIS (51)
    {51, {0x3042, 0x0041}, {0x82, 0xA0, 0x41}, "two bytes then one"},
    {51, {0x005C, 0x00A5, 0x203E}, {0x81, 0x5F, 0x5C, 0x7E}, "backslash, yen, overline"},
    {51, {0x007E, 0xFF5E, 0x2460, 0xFFFF, 0x41}, {0x41}, "unmappable characters are dropped"},
    {51, {0x0A, 0x1F, 0x7F, 0xFF71}, {0x0A, 0x1F, 0x7F, 0xB1}, "controls and katakana"},
    // UCS-2 -> cp932 (56)
    {56, {0x005C, 0x007E, 0xFF5E, 0xFF0D}, {0x5C, 0x7E, 0x81, 0x60, 0x81, 0x7C}, "vendor choices"},
    {56, {0x2170, 0x7E8A, 0xFFE2, 0x2235}, {0xFA, 0x40, 0xFA, 0x5C, 0xFA, 0x54, 0xFA, 0x5B}, "IBM codes win"},
    {56, {0x221A, 0x2460}, {0x81, 0xE3, 0x87, 0x40}, "JIS code without IBM; NEC row 13"},
    {56, {0x00A5, 0xE000, 0x41}, {0x41}, "unmappable characters are dropped"},
    // UCS-2 -> EUC-JP (52)
    {52, {0x3042, 0x0041}, {0xA4, 0xA2, 0x41}, "JIS X 0208 with high bits"},
    {52, {0x005C, 0x0080, 0x00A5, 0x203E}, {0x5C, 0x5C, 0x7E}, "ASCII as is, not U+0080; yen and overline"},
    {52, {0xFF61, 0xFF9F}, {0x8E, 0xA1, 0x8E, 0xDF}, "half-width katakana"},
    {52, {0x2460, 0xFF5E, 0x41}, {0x41}, "unmappable characters are dropped"},
    // UCS-2 -> ISO-2022-JP (53)
    {53, {0x3042, 0x0041}, {JIS83, 0x24, 0x22, ASCII, 0x41}, "switch back before ASCII"},
    {53, {0x3042}, {JIS83, 0x24, 0x22, ASCII}, "closing designation at the end"},
    {53, {0x3042, 0x3044}, {JIS83, 0x24, 0x22, 0x24, 0x24, ASCII}, "one designation for a run"},
    {53, {0x0041, 0x000A}, {0x41, 0x0A}, "ASCII needs no escape"},
    {53, {0x00A5, 0x203E, 0x41}, {ROMAN, 0x5C, 0x7E, ASCII, 0x41}, "JIS-Roman"},
    {53, {0x00A5, 0x3042}, {ROMAN, 0x5C, JIS83, 0x24, 0x22, ASCII}, "JIS-Roman to JIS X 0208"},
    {53, {0xFF71, 0x2460, 0x41}, {0x41}, "katakana and unmappable characters are dropped"},
    {53, {0x41, 0x1B, 0x24, 0x42, 0x0E, 0x43, 0x0F}, {0x41, 0x24, 0x42, 0x43}, "ESC, SO and SI dropped"},
    {53, {0x3042, 0xFF71}, {JIS83, 0x24, 0x22, ASCII}, "closed even when the last character is dropped"},
    // EUC-JP -> Shift_JIS (45) and EUC-JP-MS -> cp932 (109)
    {45, {0xA4, 0xA2, 0x41}, {0x82, 0xA0, 0x41}, "pair"},
    {45, {0x8E, 0xB1}, {0xB1}, "katakana"},
    {45, {0xA1, 0xC0}, {0x81, 0x5F}, "JIS backslash to the full-width backslash"},
    {45, {0x8F, 0xB0, 0xA1}, {}, "JIS X 0212 dropped"},
    {45, {0x8F, 0xB0, 0xA1, 0x41}, {0x41}, "reading goes on after JIS X 0212"},
    {45, {0x80, 0xA0, 0xFF, 0x7F}, {0x00, 0x00, 0x00, 0x7F}, "invalid bytes give 0"},
    {45, {0xA4}, {}, "half a pair at the end"},
    {45, {0x8F, 0xB0}, {}, "half a JIS X 0212 character at the end"},
    {45, {0xA4, 0x22, 0x8E, 0x81, 0x22, 0x8F, 0xA1, 0x3C}, {0x22, 0x00, 0x22, 0x3C}, "cut short: next byte kept"},
    {109, {0xA4, 0xA2, 0x8E, 0xB1, 0x8F, 0xB0, 0xA1}, {0x82, 0xA0, 0xB1}, "the vendor form converts alike"},
    // Shift_JIS -> EUC-JP (46) and cp932 -> EUC-JP-MS (110)
    {46, {0x82, 0xA0, 0x41}, {0xA4, 0xA2, 0x41}, "pair"},
    {46, {0x81, 0x5F, 0xEA, 0xA4}, {0xA1, 0xC0, 0xF4, 0xA6}, "first and last JIS rows"},
    {46, {0xB1}, {0x8E, 0xB1}, "katakana"},
    {46, {0x80, 0xA0, 0xFD, 0x41}, {0x41}, "bytes that start nothing are dropped"},
    {46, {0x82, 0x22, 0xEA, 0xFD}, {0x22}, "a lead byte without trail dropped, the next byte kept"},
    {110, {0xF0, 0x40, 0xFA, 0x40, 0xFC, 0x4B, 0x41}, {0x41}, "user-defined and IBM rows have no EUC form"},
    {110, {0xFA, 0x22}, {0x22}, "IBM lead byte without trail"},
    {110, {0x82}, {}, "half a pair at the end"},
    // ISO-2022-JP -> Shift_JIS (47), -> EUC-JP (50)
    {47, {JIS83, 0x24, 0x22, ASCII, 0x41}, {0x82, 0xA0, 0x41}, "designations give no output"},
    {47, {0x1B, 0x24, 0x40, 0x24, 0x22}, {0x82, 0xA0}, "JIS C 6226-1978"},
    {47, {ROMAN, 0x5C}, {0x5C}, "JIS-Roman passes"},
    {47, {0x1B, 0x28, 0x49, 0x41}, {0x41}, "an unknown designation is consumed, state kept"},
    {47, {JIS83, 0x1B, 0x28, 0x49, 0x24, 0x22}, {0x82, 0xA0}, "state 4 kept over an unknown one"},
    {47, {0x1B, 0x41, 0x42}, {0x42}, "ESC and any byte are consumed"},
    {47, {JIS83, 0x24}, {}, "half a pair at the end"},
    {47, {0x1B, 0x24}, {}, "half an escape at the end"},
    {50, {JIS83, 0x24, 0x22, 0x30, 0x21, ASCII, 0x41}, {0xA4, 0xA2, 0xB0, 0xA1, 0x41}, "pairs with high bits"},
    // Shift_JIS -> ISO-2022-JP (49)
    {49, {0x82, 0xA0, 0x41}, {JIS83, 0x24, 0x22, ASCII, 0x41}, "pair then ASCII"},
    {49, {0x82, 0xA0}, {JIS83, 0x24, 0x22, ASCII}, "closing designation"},
    {49, {0xB1, 0x41}, {0x41}, "katakana dropped"},
    {49, {0x82, 0x0A, 0x41}, {0x00, 0x0A, 0x41}, "lead without trail gives 0, the next byte kept"},
    {49, {0x41, 0x1B, 0x24, 0x42, 0x0E, 0x0F}, {0x41, 0x24, 0x42}, "ESC, SO and SI dropped"},
    {49, {0x80, 0xF0}, {0x00, 0x00}, "other high bytes give 0"},
    {49, {0x82, 0xA0, 0x82}, {JIS83, 0x24, 0x22, ASCII}, "closed when the end cuts a pair"},
    // EUC-JP -> ISO-2022-JP (48)
    {48, {0xA4, 0xA2}, {JIS83, 0x24, 0x22, ASCII}, "pair"},
    {48, {0x8E, 0xB1, 0x8F, 0xB0, 0xA1, 0x41}, {0x41}, "katakana and JIS X 0212 dropped whole"},
    {48, {0x80, 0xFF}, {0x00, 0x00}, "invalid bytes give 0"},
    {48, {0xA4, 0x22, 0x8E, 0x41, 0x1B, 0x0E, 0x8F, 0xA1, 0x3C}, {0x22, 0x41, 0x3C}, "cut short; ESC, SO dropped"},
    {48, {0xA4, 0xA2, 0xA4}, {JIS83, 0x24, 0x22, ASCII}, "closed when the end cuts a pair"},
};

TEST(JapaneseFilters, EdgeCases) {
    for (const Row& row : kRows) {
        for (ReadMode mode : kModes)
            EXPECT_EQ(row.output, pump({row.filter}, row.input, mode, 3, 2))
                << "filter " << row.filter << ": " << row.what << " (mode " << static_cast<int>(mode) << ")";
    }
}

TEST(JapaneseFilters, PushbackHoldsTheRestOfAStepInOrder) {
    TString<unsigned short> in{0x3042};
    StringIFlow<unsigned short> src(&in);
    FromUcs2ToIso2022Jp f;
    f.setSrc(&src);
    EXPECT_EQ(0x1B, f.get8());
    EXPECT_EQ(4u, f.pushbackCount());  // $ B 24 22, last byte at the bottom
    EXPECT_EQ(Iso2022JpDesignation::kJis1983, f.codec().state());
    EXPECT_EQ(0x24, f.get8());
    EXPECT_EQ(0x42, f.get8());
    EXPECT_EQ(0x24, f.get8());
    EXPECT_EQ(0x22, f.get8());
    EXPECT_EQ(0x1B, f.get8());  // the closing designation, from the end of data
    EXPECT_EQ(Iso2022JpDesignation::kAscii, f.codec().state());
    EXPECT_EQ(0x28, f.get8());
    EXPECT_EQ(0x42, f.get8());
    EXPECT_THROW(f.get8(), IOException);
}

TEST(JapaneseFilters, NoSourceRewindAndNewSource) {
    FromSjisToUcs2 unset;
    try {
        unset.get16();
        FAIL() << "no exception";
    } catch (const IOException& e) {
        EXPECT_EQ(IOException::kNoSource, e.getCode());
    }
    EXPECT_THROW(unset.get8(), IOException);  // wrong width


    TString<char> in("\x1B$B$\"$$", 7);  // two characters in state 4
    StringIFlow<char> src(&in);
    FromIso2022JpToSjis f;
    f.setSrc(&src);
    EXPECT_EQ('\x82', f.get8());  // 82 A0; A0 pushed back
    EXPECT_EQ(Iso2022JpDesignation::kJis1983, f.codec().state());
    ASSERT_TRUE(f.rewind());
    EXPECT_EQ(Iso2022JpDesignation::kAscii, f.codec().state());
    EXPECT_EQ(0u, f.pushbackCount());
    char block[8];
    std::size_t count = 0;
    f.read8(sizeof block, block, count);
    EXPECT_EQ("\x82\xA0\x82\xA2", std::string(block, count));

    // A new source starts from ASCII with nothing held from the old one.
    TString<char> ascii("$\"");
    StringIFlow<char> src2(&ascii);
    src.rewind();
    EXPECT_EQ('\x82', f.get8());
    f.setSrc(&src2);
    f.read8(sizeof block, block, count);
    EXPECT_EQ("$\"", std::string(block, count));
}

} // namespace
