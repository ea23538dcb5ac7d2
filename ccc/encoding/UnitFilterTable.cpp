#include "UnitFilterTable.h"

#include <array>

#include "UnitFilterFactories.h"

namespace CCC {

namespace {

using Table = std::array<UnitFilterInfo, UnitFilterTable::kCount>;

constexpr const char* kUcs2To8859[] = {
    "FromUcs2To8859_1", "FromUcs2To8859_2", "FromUcs2To8859_3", "FromUcs2To8859_4",
    "FromUcs2To8859_5", "FromUcs2To8859_6", "FromUcs2To8859_7", "FromUcs2To8859_8",
    "FromUcs2To8859_9", "FromUcs2To8859_10", "FromUcs2To8859_13", "FromUcs2To8859_14",
    "FromUcs2To8859_15"};
constexpr const char* k8859ToUcs2[] = {
    "From8859_1ToUcs2", "From8859_2ToUcs2", "From8859_3ToUcs2", "From8859_4ToUcs2",
    "From8859_5ToUcs2", "From8859_6ToUcs2", "From8859_7ToUcs2", "From8859_8ToUcs2",
    "From8859_9ToUcs2", "From8859_10ToUcs2", "From8859_13ToUcs2", "From8859_14ToUcs2",
    "From8859_15ToUcs2"};

constexpr UnitFilterInfo kFixed[] = {
    {0, 1, 2, false, "FromUsAsciiToUcs2"},
    {1, 1, 4, false, "FromUsAsciiToUcs4"},
    {2, 4, 1, true, "FromUcs4ToUsAscii"},
    {3, 2, 4, false, "FromUcs2ToUcs4"},
    {4, 4, 2, true, "FromUcs4ToUcs2"},
    {5, 2, 3, false, "FromUcs2ToUcs2Be"},
    {6, 4, 5, false, "FromUcs4ToUcs4Be"},
    {7, 3, 2, false, "FromUcs2BeToUcs2"},
    {8, 5, 4, false, "FromUcs4BeToUcs4"},
    {9, 2, 6, false, "FromUcs2ToUtf7"},
    {10, 6, 2, false, "FromUtf7ToUcs2"},
    {11, 8, 2, true, "FromUtf8NToUcs2"},
    {12, 2, 8, false, "FromUcs2ToUtf8N"},
    {13, 7, 8, false, "FromUtf8ToUtf8N"},
    {14, 8, 7, false, "FromUtf8NToUtf8"},
    {15, 10, 4, false, "FromUtf16NToUcs4"},
    {16, 4, 10, true, "FromUcs4ToUtf16N"},
    {17, 10, 13, false, "FromUtf16NToUtf16Be"},
    {18, 10, 14, false, "FromUtf16NToUtf16Le"},
    {19, 13, 10, false, "FromUtf16BeToUtf16N"},
    {20, 14, 10, false, "FromUtf16LeToUtf16N"},
    {21, 10, 7, false, "FromUtf16NToUtf8"},
    {22, 10, 8, false, "FromUtf16NToUtf8N"},
    {23, 7, 10, false, "FromUtf8ToUtf16N"},
    {24, 2, 10, false, "FromUcs2ToUtf16N"},
    {25, 10, 9, false, "FromUtf16NToUtf16"},
    {26, 9, 10, false, "FromUtf16ToUtf16N"},
    {27, 13, 15, false, "FromUtf16BeToUtf16BeBom"},
    {28, 14, 16, false, "FromUtf16LeToUtf16LeBom"},
    {29, 15, 13, false, "FromUtf16BeBomToUtf16Be"},
    {30, 16, 14, false, "FromUtf16LeBomToUtf16Le"},
    {31, 12, 4, false, "FromUtf32NToUcs4"},
    {32, 12, 10, false, "FromUtf32NToUtf16N"},
    {33, 10, 12, false, "FromUtf16NToUtf32N"},
    {34, 4, 12, true, "FromUcs4ToUtf32N"},
    {35, 12, 17, false, "FromUtf32NToUtf32Be"},
    {36, 12, 18, false, "FromUtf32NToUtf32Le"},
    {37, 17, 12, false, "FromUtf32BeToUtf32N"},
    {38, 18, 12, false, "FromUtf32LeToUtf32N"},
    {39, 12, 11, false, "FromUtf32NToUtf32"},
    {40, 11, 12, false, "FromUtf32ToUtf32N"},
    {41, 17, 19, false, "FromUtf32BeToUtf32BeBom"},
    {42, 18, 20, false, "FromUtf32LeToUtf32LeBom"},
    {43, 19, 17, false, "FromUtf32BeBomToUtf32Be"},
    {44, 20, 18, false, "FromUtf32LeBomToUtf32Le"},
    {45, 22, 23, true, "FromEucJpToSjis"},
    {46, 23, 22, false, "FromSjisToEucJp"},
    {47, 21, 23, false, "FromIso2022JpToSjis"},
    {48, 22, 21, true, "FromEucJpToIso2022Jp"},
    {49, 23, 21, true, "FromSjisToIso2022Jp"},
    {50, 21, 22, false, "FromIso2022JpToEucJp"},
    {51, 2, 23, true, "FromUcs2ToSjis"},
    {52, 2, 22, true, "FromUcs2ToEucJp"},
    {53, 2, 21, true, "FromUcs2ToIso2022Jp"},
    {54, 23, 2, false, "FromSjisToUcs2"},
    {55, 37, 2, false, "FromCp932ToUcs2"},
    {56, 2, 37, true, "FromUcs2ToCp932"},
};

constexpr UnitFilterInfo kTail[] = {
    {109, 38, 37, true, "FromEucJpMsToCp932"},
    {110, 37, 38, true, "FromCp932ToEucJpMs"},
    {111, 39, 2, false, "FromCp1252ToUcs2"},
    {112, 2, 39, true, "FromUcs2ToCp1252"},
};

// The ISO 8859 parts (identifiers 24-36) come in four runs of 13 filters.
constexpr Table build() {
    Table t{};
    int n = 0;
    for (const UnitFilterInfo& f : kFixed) t[n++] = f;
    for (int i = 0; i < 13; ++i) t[n++] = {57 + i, 24 + i, 2, false, k8859ToUcs2[i]};
    for (int i = 0; i < 13; ++i) t[n++] = {70 + i, 24 + i, 1, true, "From8859_xToUsAscii"};
    for (int i = 0; i < 13; ++i) t[n++] = {83 + i, 1, 24 + i, false, "FromUsAsciiTo8859_x"};
    for (int i = 0; i < 13; ++i) t[n++] = {96 + i, 2, 24 + i, true, kUcs2To8859[i]};
    for (const UnitFilterInfo& f : kTail) t[n++] = f;
    return t;
}

constexpr Table kTable = build();

constexpr bool numberedInOrder() {
    for (int i = 0; i < UnitFilterTable::kCount; ++i)
        if (kTable[i].number != i) return false;
    return true;
}
static_assert(numberedInOrder());

} // namespace

const UnitFilterInfo* UnitFilterTable::info(int number) {
    return (number >= 0 && number < kCount) ? &kTable[number] : nullptr;
}

IFilter* UnitFilterTable::create(int number) {
    if (number < 0 || number >= kCount) return nullptr;
    if (number <= 44) return createUnicodeUnitFilter(number);
    if (number <= 56 || number == 109 || number == 110) return createJapaneseUnitFilter(number);
    return createSingleByteUnitFilter(number);
}

} // namespace CCC
