// Every character an encoder table maps comes back through the matching
// decoder, with the filters chained by hand and through the library's routes.
#include <algorithm>

#include "../unicode/PumpKit.h"
#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
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

// Through Iceman's routes: UCS-2 and UTF-16 -> each Japanese encoding -> back.
TEST(JapaneseRoundTrip, ThroughLibraryRoutes) {
    ASSERT_TRUE(Ccc::initialize());
    const struct {
        CeId id;
        const BitmapTrie& table;
        bool skipBackslash;
    } encodings[] = {
        {23, ucs2ToSjisTable, false},
        {37, ucs2ToCp932Table, false},
        {22, ucs2ToEucJpTable, true},
        {21, ucs2ToIso2022JpTable, true},
    };
    for (CeId text : {2, 10}) {
        for (const auto& e : encodings) {
            std::unique_ptr<CompositIFilter> out(Iceman::createCompositIFilter(text, e.id));
            std::unique_ptr<CompositIFilter> back(Iceman::createCompositIFilter(e.id, text));
            ASSERT_TRUE(out && back) << "route " << text << " <-> " << e.id;
            TString<unsigned short> keys;
            for (unsigned u : e.skipBackslash ? keysOf(e.table, {0x5C}) : keysOf(e.table))
                keys.push_back(static_cast<unsigned short>(u));
            TString<char> encoded;
            TString<unsigned short> decoded;
            ASSERT_TRUE(Iceman::convertString<char>(text, e.id, &keys, &encoded)) << text << " -> " << e.id;
            ASSERT_TRUE(Iceman::convertString<unsigned short>(e.id, text, &encoded, &decoded)) << e.id << " -> " << text;
            EXPECT_TRUE(keys == decoded) << text << " -> " << e.id << " -> " << text;
        }
    }
}

} // namespace
