#include "NewlineStages.h"

#include "../encoding/UnitFilterFactories.h"

namespace CCC {

namespace {

template <class T>
GroupUtility* createStage(int nlConv) {
    switch (nlConv) {
    case 1: return new Lf2Cr<T>;
    case 2: return new Cr2Lf<T>;
    case 3: return new CrLf2Lf<T>;
    case 4: return new CrLf2Cr<T>;
    case 5: return new Lf2CrLf<T>;
    case 6: return new Cr2CrLf<T>;
    case 7:
    case 8:
    case 9: return new Auto2NewLine<T>(nlConv);
    default: return nullptr;
    }
}

} // namespace

GroupUtility* createNewlineStage(int nlConv, IOType width) {
    switch (width) {
    case kIO8: return createStage<char>(nlConv);
    case kIO16: return createStage<unsigned short>(nlConv);
    case kIO32: return createStage<unsigned int>(nlConv);
    default: return nullptr;
    }
}

} // namespace CCC
