// Every character an encoder table maps comes back through the matching
// decoder, with the filters chained by hand.
#include <algorithm>

#include "../unicode/PumpKit.h"
#include "ccc/japanese/JapaneseCodeTables.h"

using namespace CCC;
using Units = qmtest::Values;
using qmtest::pump;
using qmtest::ReadMode;

namespace {

Units keysOf(const BitmapTrie& t, std::initializer_list<unsigned> except = {}) {
    Units keys;
    for (unsigned u = 0; u <= 0xFFFF; ++u)
        if (t.lookup(u) != BitmapTrie::kUnmapped && std::find(except.begin(), except.end(), u) == except.end())
            keys.push_back(u);
    return keys;
}

// U+005C has a JIS entry, but the EUC-JP and ISO-2022-JP encoders pass it as
// the ASCII byte, which Shift_JIS reads as the yen sign.
const struct Trip {
    const char* name;
    const BitmapTrie& table;
    std::vector<int> chain;
    bool skipBackslash;
} kTrips[] = {
    {"Shift_JIS", ucs2ToSjisTable, {51, 54}, false},
    {"cp932", ucs2ToCp932Table, {56, 55}, false},
    {"EUC-JP", ucs2ToEucJpTable, {52, 45, 54}, true},
    {"ISO-2022-JP", ucs2ToIso2022JpTable, {53, 47, 54}, true},
    {"ISO-2022-JP via EUC-JP", ucs2ToIso2022JpTable, {53, 50, 45, 54}, true},
    {"EUC-JP via ISO-2022-JP", ucs2ToEucJpTable, {52, 48, 47, 54}, true},
    {"Shift_JIS via EUC-JP and ISO-2022-JP", ucs2ToSjisTable, {51, 46, 48, 50, 45, 54}, false},
};

TEST(JapaneseRoundTrip, EveryTableEntryThroughHandBuiltChains) {
    for (const Trip& trip : kTrips) {
        Units keys = trip.skipBackslash ? keysOf(trip.table, {0x5C}) : keysOf(trip.table);
        if (std::string(trip.name).find("via") != std::string::npos) {
            // Half-width katakana do not survive ISO-2022-JP.
            keys.erase(std::remove_if(keys.begin(), keys.end(), [](unsigned u) { return u >= 0xFF61 && u <= 0xFF9F; }),
                       keys.end());
        }
        EXPECT_EQ(keys, pump(trip.chain, keys, ReadMode::Blocks, 7, 1 << 20)) << trip.name;
        EXPECT_EQ(keys, pump(trip.chain, keys, ReadMode::Mixed, 7, 1 << 20)) << trip.name;
    }
}

} // namespace
