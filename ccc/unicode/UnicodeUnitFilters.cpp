#include "../encoding/UnitFilterFactories.h"
#include "ByteOrderFilters.h"
#include "MarkFilters.h"
#include "SurrogateFilters.h"
#include "UcsFilters.h"
#include "Utf7Filters.h"
#include "Utf8Filters.h"

namespace CCC {

namespace {

template <class F>
IFilter* make() { return new F; }
using Maker = IFilter* (*)();

// Indexed by unit-filter number.
constexpr Maker kMakers[45] = {
    make<FromUsAsciiToUcs2>,       // 0   1 -> 2
    make<FromUsAsciiToUcs4>,       // 1   1 -> 4
    make<FromUcs4ToUsAscii>,       // 2   4 -> 1
    make<FromUcs2ToUcs4>,          // 3   2 -> 4
    make<FromUcs4ToUcs2>,          // 4   4 -> 2
    make<FromUcs2ToUcs2Be>,        // 5   2 -> 3
    make<FromUcs4ToUcs4Be>,        // 6   4 -> 5
    make<FromUcs2BeToUcs2>,        // 7   3 -> 2
    make<FromUcs4BeToUcs4>,        // 8   5 -> 4
    make<FromUcs2ToUtf7>,          // 9   2 -> 6
    make<FromUtf7ToUcs2>,          // 10  6 -> 2
    make<FromUtf8NToUcs2>,         // 11  8 -> 2
    make<FromUcs2ToUtf8N>,         // 12  2 -> 8
    make<FromUtf8ToUtf8N>,         // 13  7 -> 8
    make<FromUtf8NToUtf8>,         // 14  8 -> 7
    make<FromUtf16NToUcs4>,        // 15  10 -> 4
    make<FromUcs4ToUtf16N>,        // 16  4 -> 10
    make<FromUtf16NToUtf16Be>,     // 17  10 -> 13
    make<FromUtf16NToUtf16Le>,     // 18  10 -> 14
    make<FromUtf16BeToUtf16N>,     // 19  13 -> 10
    make<FromUtf16LeToUtf16N>,     // 20  14 -> 10
    make<FromUtf16NToUtf8>,        // 21  10 -> 7
    make<FromUtf16NToUtf8N>,       // 22  10 -> 8
    make<FromUtf8ToUtf16N>,        // 23  7 -> 10
    make<FromUcs2ToUtf16N>,        // 24  2 -> 10
    make<FromUtf16NToUtf16>,       // 25  10 -> 9
    make<FromUtf16ToUtf16N>,       // 26  9 -> 10
    make<FromUtf16BeToUtf16BeBom>, // 27  13 -> 15
    make<FromUtf16LeToUtf16LeBom>, // 28  14 -> 16
    make<FromUtf16BeBomToUtf16Be>, // 29  15 -> 13
    make<FromUtf16LeBomToUtf16Le>, // 30  16 -> 14
    make<FromUtf32NToUcs4>,        // 31  12 -> 4
    make<FromUtf32NToUtf16N>,      // 32  12 -> 10
    make<FromUtf16NToUtf32N>,      // 33  10 -> 12
    make<FromUcs4ToUtf32N>,        // 34  4 -> 12
    make<FromUtf32NToUtf32Be>,     // 35  12 -> 17
    make<FromUtf32NToUtf32Le>,     // 36  12 -> 18
    make<FromUtf32BeToUtf32N>,     // 37  17 -> 12
    make<FromUtf32LeToUtf32N>,     // 38  18 -> 12
    make<FromUtf32NToUtf32>,       // 39  12 -> 11
    make<FromUtf32ToUtf32N>,       // 40  11 -> 12
    make<FromUtf32BeToUtf32BeBom>, // 41  17 -> 19
    make<FromUtf32LeToUtf32LeBom>, // 42  18 -> 20
    make<FromUtf32BeBomToUtf32Be>, // 43  19 -> 17
    make<FromUtf32LeBomToUtf32Le>, // 44  20 -> 18
};

} // namespace

IFilter* createUnicodeUnitFilter(int number) {
    if (number < 0 || number >= 45) return nullptr;
    return kMakers[number]();
}

} // namespace CCC
