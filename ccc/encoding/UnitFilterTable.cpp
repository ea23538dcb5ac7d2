#include "UnitFilterTable.h"

#include <array>
#include <utility>

#include "../japanese/EucSjisFilters.h"
#include "../japanese/Iso2022JpFilters.h"
#include "../japanese/SjisDecoders.h"
#include "../japanese/Ucs2Encoders.h"
#include "../single_byte/Cp1252Filters.h"
#include "../single_byte/Iso8859Filters.h"
#include "../unicode/ByteOrderFilters.h"
#include "../unicode/MarkFilters.h"
#include "../unicode/SurrogateFilters.h"
#include "../unicode/UcsFilters.h"
#include "../unicode/Utf7Filters.h"
#include "../unicode/Utf8Filters.h"

namespace CCC {

namespace {

using Table = std::array<UnitFilterInfo, UnitFilterTable::kCount>;

template <class F>
IFilter* make() { return new F; }

// The ISO 8859 parts in identifier order (24-36).
constexpr int kParts[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15};

template <class F, int kPartIndex>
IFilter* makePart() { return new F(kParts[kPartIndex]); }

template <class F, std::size_t... I>
constexpr std::array<IFilter* (*)(), 13> partMakers(std::index_sequence<I...>) {
    return {makePart<F, I>...};
}
constexpr auto k8859ToUcs2 = partMakers<From8859ToUcs2>(std::make_index_sequence<13>());
constexpr auto kUcs2To8859 = partMakers<FromUcs2To8859>(std::make_index_sequence<13>());

constexpr UnitFilterInfo kFixed[] = {
    {0, 1, 2, false, make<FromUsAsciiToUcs2>},
    {1, 1, 4, false, make<FromUsAsciiToUcs4>},
    {2, 4, 1, true, make<FromUcs4ToUsAscii>},
    {3, 2, 4, false, make<FromUcs2ToUcs4>},
    {4, 4, 2, true, make<FromUcs4ToUcs2>},
    {5, 2, 3, false, make<FromUcs2ToUcs2Be>},
    {6, 4, 5, false, make<FromUcs4ToUcs4Be>},
    {7, 3, 2, false, make<FromUcs2BeToUcs2>},
    {8, 5, 4, false, make<FromUcs4BeToUcs4>},
    {9, 2, 6, false, make<FromUcs2ToUtf7>},
    {10, 6, 2, false, make<FromUtf7ToUcs2>},
    {11, 8, 2, true, make<FromUtf8NToUcs2>},
    {12, 2, 8, false, make<FromUcs2ToUtf8N>},
    {13, 7, 8, false, make<FromUtf8ToUtf8N>},
    {14, 8, 7, false, make<FromUtf8NToUtf8>},
    {15, 10, 4, false, make<FromUtf16NToUcs4>},
    {16, 4, 10, true, make<FromUcs4ToUtf16N>},
    {17, 10, 13, false, make<FromUtf16NToUtf16Be>},
    {18, 10, 14, false, make<FromUtf16NToUtf16Le>},
    {19, 13, 10, false, make<FromUtf16BeToUtf16N>},
    {20, 14, 10, false, make<FromUtf16LeToUtf16N>},
    {21, 10, 7, false, make<FromUtf16NToUtf8>},
    {22, 10, 8, false, make<FromUtf16NToUtf8N>},
    {23, 7, 10, false, make<FromUtf8ToUtf16N>},
    {24, 2, 10, false, make<FromUcs2ToUtf16N>},
    {25, 10, 9, false, make<FromUtf16NToUtf16>},
    {26, 9, 10, false, make<FromUtf16ToUtf16N>},
    {27, 13, 15, false, make<FromUtf16BeToUtf16BeBom>},
    {28, 14, 16, false, make<FromUtf16LeToUtf16LeBom>},
    {29, 15, 13, false, make<FromUtf16BeBomToUtf16Be>},
    {30, 16, 14, false, make<FromUtf16LeBomToUtf16Le>},
    {31, 12, 4, false, make<FromUtf32NToUcs4>},
    {32, 12, 10, false, make<FromUtf32NToUtf16N>},
    {33, 10, 12, false, make<FromUtf16NToUtf32N>},
    {34, 4, 12, true, make<FromUcs4ToUtf32N>},
    {35, 12, 17, false, make<FromUtf32NToUtf32Be>},
    {36, 12, 18, false, make<FromUtf32NToUtf32Le>},
    {37, 17, 12, false, make<FromUtf32BeToUtf32N>},
    {38, 18, 12, false, make<FromUtf32LeToUtf32N>},
    {39, 12, 11, false, make<FromUtf32NToUtf32>},
    {40, 11, 12, false, make<FromUtf32ToUtf32N>},
    {41, 17, 19, false, make<FromUtf32BeToUtf32BeBom>},
    {42, 18, 20, false, make<FromUtf32LeToUtf32LeBom>},
    {43, 19, 17, false, make<FromUtf32BeBomToUtf32Be>},
    {44, 20, 18, false, make<FromUtf32LeBomToUtf32Le>},
    {45, 22, 23, true, make<FromEucJpToSjis>},
    {46, 23, 22, false, make<FromSjisToEucJp>},
    {47, 21, 23, false, make<FromIso2022JpToSjis>},
    {48, 22, 21, true, make<FromEucJpToIso2022Jp>},
    {49, 23, 21, true, make<FromSjisToIso2022Jp>},
    {50, 21, 22, false, make<FromIso2022JpToEucJp>},
    {51, 2, 23, true, make<FromUcs2ToSjis>},
    {52, 2, 22, true, make<FromUcs2ToEucJp>},
    {53, 2, 21, true, make<FromUcs2ToIso2022Jp>},
    {54, 23, 2, false, make<FromSjisToUcs2>},
    {55, 37, 2, false, make<FromCp932ToUcs2>},
    {56, 2, 37, true, make<FromUcs2ToCp932>},
};

constexpr UnitFilterInfo kTail[] = {
    {109, 38, 37, true, make<FromEucJpMsToCp932>},
    {110, 37, 38, true, make<FromCp932ToEucJpMs>},
    {111, 39, 2, false, make<FromCp1252ToUcs2>},
    {112, 2, 39, true, make<FromUcs2ToCp1252>},
    {113, 10, 2, true, make<FromUtf16NToUcs2>},
};

// The ISO 8859 parts (identifiers 24-36) come in four runs of 13 filters.
constexpr Table build() {
    Table t{};
    int n = 0;
    for (const UnitFilterInfo& f : kFixed) t[n++] = f;
    for (int i = 0; i < 13; ++i) t[n++] = {57 + i, 24 + i, 2, false, k8859ToUcs2[i]};
    for (int i = 0; i < 13; ++i) t[n++] = {70 + i, 24 + i, 1, true, make<From8859_xToUsAscii>};
    for (int i = 0; i < 13; ++i) t[n++] = {83 + i, 1, 24 + i, false, make<FromUsAsciiTo8859_x>};
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
    const UnitFilterInfo* f = info(number);
    return f ? f->make() : nullptr;
}

} // namespace CCC
