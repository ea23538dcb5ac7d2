#include "../encoding/UnitFilterFactories.h"
#include "EucSjisFilters.h"
#include "Iso2022JpFilters.h"
#include "SjisDecoders.h"
#include "Ucs2Encoders.h"

namespace CCC {

IFilter* createJapaneseUnitFilter(int number) {
    switch (number) {
    case 45: return new FromEucJpToSjis;
    case 46: return new FromSjisToEucJp;
    case 47: return new FromIso2022JpToSjis;
    case 48: return new FromEucJpToIso2022Jp;
    case 49: return new FromSjisToIso2022Jp;
    case 50: return new FromIso2022JpToEucJp;
    case 51: return new FromUcs2ToSjis;
    case 52: return new FromUcs2ToEucJp;
    case 53: return new FromUcs2ToIso2022Jp;
    case 54: return new FromSjisToUcs2;
    case 55: return new FromCp932ToUcs2;
    case 56: return new FromUcs2ToCp932;
    case 109: return new FromEucJpMsToCp932;
    case 110: return new FromCp932ToEucJpMs;
    default: return nullptr;
    }
}

} // namespace CCC
