#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "DetectTestUtil.h"
#include "ccc/detect/JaDetector.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FixedMemIFlow.h"

using namespace CCC;

namespace {

CeId detectBytes(const std::string& s) {
    FixedMemIFlow in(s.data(), s.size());
    return JaDetector().detect(in);
}

struct Case {
    const char* what;
    std::string input;
    CeId expected;
};

const Case kCases[] = {
    // Nothing to go on.
    {"empty", B(""), 0},
    {"pure ASCII", B("Hello, world.\r\n"), 0},
    {"bytes in no class", B("\x80\xA0\xFD\xFE\xFF"), 0},

    // Signatures at the very start.
    {"UTF-16LE mark", B("\xFF\xFE"), 14},
    {"UTF-16BE mark", B("\xFE\xFF"), 13},
    {"UTF-8 mark", B("\xEF\xBB\xBF"), 7},
    {"FF alone", B("\xFF"), 0},
    {"EF BB alone", B("\xEF\xBB"), 0},
    // A begun signature is dropped; the scan goes on with the last byte.
    {"FF then EUC byte", B("\xFF\xA4"), 22},
    {"FE then Shift_JIS lead", B("\xFE\x82"), 23},
    {"EF not re-read as a lead byte", B("\xEF\xA1"), 22},
    {"EF BB not re-read", B("\xEF\xBB\xA1"), 22},
    {"UTF-8 mark later is just bytes", B("a\xEF\xBB\xBF"), 22},

    // ESC sequences.
    {"ESC $ B", B("abc\x1B$B$\"\x1B(B"), 21},
    {"ESC $ @", B("\x1B$@"), 21},
    {"ESC ( B is ASCII", B("\x1B(Babc"), 0},
    {"ESC $ A: A examined, go on", B("\x1B$Aabc"), 0},
    {"ESC then EUC byte examined", B("\x1B\xA4"), 22},
    {"ESC $ then Shift_JIS lead examined", B("\x1B$\x82"), 23},
    {"ESC at end", B("\x1B"), 0},

    // 8E: EUC-JP half-width katakana prefix or Shift_JIS lead.
    {"8E trail not kana", B("\x8E\x40"), 23},
    {"8E kana: both, byte consumed", B("\x8E\xA4"), 0},
    {"8E kana then EUC", B("\x8E\xB1\xA4\xA2"), 22},
    {"8E non-trail consumed", B("\x8E\xFD"), 0},
    {"8E at end", B("\x8E"), 0},

    // 8F: EUC-JP JIS X 0212 prefix or Shift_JIS lead.
    {"8F trail below A1", B("\x8F\x40"), 23},
    {"8F trail above ED", B("\x8F\xEE"), 23},
    {"8F A1 then non-EUC byte", B("\x8F\xA1\x41"), 23},
    {"8F A1 A1: three-byte EUC-JP", B("\x8F\xA1\xA1"), 22},
    {"8F FE (no trail) A1", B("\x8F\xFE\xA1"), 22},
    {"8F A1 E0 skips to a byte <= 40", B("\x8F\xA1\xE0\xA4\xA2"), 0},
    {"8F A1 E0 skip then EUC", B("\x8F\xA1\xE0\xA4\x20\xA4\xA2"), 22},
    {"8F A1 E0 skip swallows the <= 40 byte", B("\x8F\xA1\xE0\x1B$B"), 0},
    {"8F at end", B("\x8F"), 0},

    // Bytes that are no Shift_JIS lead.
    {"U+3042 in EUC-JP", B("\xA4\xA2"), 22},
    {"A1 alone", B("\xA1"), 22},
    {"half-width kana byte reads as EUC-JP", B("\xB1"), 22},

    // Shift_JIS-only lead bytes decide at once.
    {"U+3042 in Shift_JIS", B("\x82\xA0"), 23},
    {"81 alone", B("\x81"), 23},

    // E0-EF lead both encodings.
    {"UTF-8 without mark (E3 81 82)", B("\xE3\x81\x82"), 23},
    {"E0 trail below A1", B("\xE0\x40"), 23},
    {"E0 non-trail FD", B("\xE0\xFD"), 22},
    {"E0 A1 both: second consumed", B("\xE0\xA1"), 0},
    {"E0 FC both", B("\xE0\xFC"), 0},
    {"E0 A1 then EUC", B("\xE0\xA1\xA4"), 22},
    {"E0 at end", B("\xE0"), 0},
};

TEST(JaDetector, Table) {
    for (const Case& c : kCases) EXPECT_EQ(detectBytes(c.input), c.expected) << c.what;
}

// A flow error is the end of detection: what came before it still counts.
TEST(JaDetector, Flows) {
    std::string text = std::string(100, 'a') + "\x82\xA0";
    ChunkedIFlow failsBefore(text, {7}, 50);
    EXPECT_EQ(JaDetector().detect(failsBefore), 0);
    ChunkedIFlow failsAfter(text, {7}, 101);
    EXPECT_EQ(JaDetector().detect(failsAfter), 23);
    ChunkedIFlow failsMidBlock(text, {200}, 101);  // the failing read stores 101 bytes
    EXPECT_EQ(JaDetector().detect(failsMidBlock), 23);

    // A flow without 8-bit units cannot be read.
    unsigned short wide[] = {0x82A0, 0xA4A2};
    TFixedMemIFlow<unsigned short> w(wide, 2);
    EXPECT_EQ(JaDetector().detect(w), 0);
    FixedMemIFlow closed(nullptr, 0);
    EXPECT_EQ(JaDetector().detect(closed), 0);

    // Over a file, the deciding bytes far beyond the first block.
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::string far = std::string(100000, 'a') + "\xA4\xA2";
    std::fwrite(far.data(), 1, far.size(), f);
    std::rewind(f);
    FileIFlow in(f);
    EXPECT_EQ(JaDetector().detect(in), 22);
    std::fclose(f);
}

// The block reads and the bulk skipping give what a byte-at-a-time reading
// gives, wherever the blocks split the deciding bytes.
TEST(JaDetector, SameResultWhateverTheBlocks) {
    const unsigned char alphabet[] = {0x1B, '$', 'B', '@', 0x8E, 0x8F, 0xA1, 0xA4, 0xE0, 0xEF,
                                      0xFE, 0xFD, 0x40, 0x20, 0x81, 0xFC, 0xB1, 0xEE};
    std::mt19937 rng(12345);
    for (int round = 0; round < 2000; ++round) {
        // A long ASCII run pushes the deciding bytes across block borders.
        std::string s(round % 3 == 0 ? 8190 + round % 7 : round % 11, 'x');
        int n = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i)
            s.push_back(static_cast<char>(round % 2 ? alphabet[rng() % sizeof alphabet] : rng() % 256));
        CeId expected = detectBytes(s);
        ChunkedIFlow ones(s, {1});
        ChunkedIFlow mixed(s, {3, 1, 5000, 2});
        ChunkedIFlow units(s, {}, std::string::npos, true);
        EXPECT_EQ(JaDetector().detect(ones), expected) << round;
        EXPECT_EQ(JaDetector().detect(mixed), expected) << round;
        EXPECT_EQ(JaDetector().detect(units), expected) << round;
    }
}

} // namespace
