// The block path of every filter gives exactly the units of its unit path,
// on random input cut into random source blocks and read back in random
// mixes of unit and block reads.
#include "../unicode/PumpKit.h"

using namespace qmtest;
using Units = Values;

namespace {

// Bytes weighted towards what the byte filters look at: escapes and their
// finals, lead and trail bytes, katakana, 0x8E / 0x8F, controls.
Units randomBytes(std::mt19937& rng, std::size_t n) {
    static const unsigned kPalette[] = {0x1B, 0x28, 0x24, 0x42, 0x4A, 0x40, 0x49, 0x0A, 0x0D, 0x41, 0x5C, 0x7E,
                                        0x7F, 0x80, 0x81, 0x82, 0x9F, 0xA0, 0xA1, 0xA4, 0xB1, 0xDF, 0xE0, 0xEA,
                                        0xED, 0xEF, 0xF0, 0xFA, 0xFC, 0xFD, 0xFF, 0x8E, 0x8F, 0x21, 0x3F, 0x40};
    Units out;
    while (out.size() < n) {
        switch (rng() % 4) {
        case 0: out.push_back(rng() % 256); break;
        case 1: out.push_back(kPalette[rng() % std::size(kPalette)]); break;
        case 2:  // a plausible Shift_JIS pair
            out.push_back(0x81 + rng() % 0x1F);
            out.push_back(0x40 + rng() % 0xBD);
            break;
        default:  // a designation, then JIS bytes
            out.insert(out.end(), {0x1B, rng() % 2 ? 0x24u : 0x28u, rng() % 2 ? 0x42u : 0x4Au});
            out.push_back(0x21 + rng() % 0x5E);
            out.push_back(0x21 + rng() % 0x5E);
        }
    }
    return out;
}

Units randomUcs2(std::mt19937& rng, std::size_t n) {
    static const unsigned kPalette[] = {0x0A, 0x41, 0x5C, 0x7E, 0x7F, 0x80, 0xA5, 0x203E, 0xFF5E, 0xFF0D,
                                        0x2170, 0x7E8A, 0xFFE2, 0x2460, 0xFF61, 0xFF9F, 0xFFFF, 0xE000};
    Units out;
    while (out.size() < n) {
        switch (rng() % 4) {
        case 0: out.push_back(rng() % 0x10000); break;
        case 1: out.push_back(kPalette[rng() % std::size(kPalette)]); break;
        case 2: out.push_back(0x3041 + rng() % 0x60); break;  // hiragana
        default: out.push_back(0x4E00 + rng() % 0x5200);       // ideographs, many unmapped
        }
    }
    return out;
}

TEST(JapaneseFilters, BlockPathEqualsUnitPath) {
    std::mt19937 rng(20261206);
    for (int number : {45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 109, 110}) {
        std::unique_ptr<CCC::IFilter> f(CCC::UnitFilterTable::create(number));
        bool ucs2 = f->getSrcIOTypeMask() == CCC::kIO16;
        for (int round = 0; round < 4; ++round) {
            Units input = ucs2 ? randomUcs2(rng, 6000) : randomBytes(rng, 6000);
            Units reference = pump({number}, input, ReadMode::Units, 1, 1 << 20);
            ASSERT_FALSE(reference.empty());
            for (unsigned seed = 1; seed <= 3; ++seed) {
                std::size_t maxSrcBlock = seed == 3 ? 4096 : 1 + rng() % 5;
                EXPECT_EQ(reference, pump({number}, input, ReadMode::Blocks, seed, maxSrcBlock))
                    << "filter " << number << ", blocks, seed " << seed;
                EXPECT_EQ(reference, pump({number}, input, ReadMode::Mixed, seed, maxSrcBlock))
                    << "filter " << number << ", mixed reads, seed " << seed;
            }
        }
    }
}

// A character split between two source blocks at every possible place.
TEST(JapaneseFilters, CharacterSplitBetweenSourceBlocks) {
    const struct {
        int filter;
        Units input;
    } rows[] = {
        {54, {0x41, 0x82, 0xA0, 0x82, 0xA2, 0x0A}},
        {47, {0x41, 0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42, 0x41}},
        {45, {0x8F, 0xB0, 0xA1, 0xA4, 0xA2, 0x8E, 0xB1}},
        {53, {0x3042, 0x41, 0x00A5, 0x3044}},
    };
    for (const auto& row : rows) {
        Units reference = pump({row.filter}, row.input, ReadMode::Units, 1, 1 << 20);
        for (std::size_t block = 1; block < row.input.size(); ++block) {
            for (unsigned seed = 1; seed < 4; ++seed) {
                EXPECT_EQ(reference, pump({row.filter}, row.input, ReadMode::Blocks, seed, block))
                    << "filter " << row.filter << ", source blocks up to " << block;
            }
        }
    }
}

} // namespace
