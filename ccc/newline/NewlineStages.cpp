#include "NewlineStages.h"

#include "../encoding/UnitFilterFactories.h"

namespace CCC {

namespace {

template <class T>
GroupUtility* createStage(NLConv mode) {
    switch (mode) {
    case nlconv::kLf2Cr: return new Lf2Cr<T>;
    case nlconv::kCr2Lf: return new Cr2Lf<T>;
    case nlconv::kLf2CrLf: return new Lf2CrLf<T>;
    case nlconv::kCr2CrLf: return new Cr2CrLf<T>;
    case nlconv::kCrLf2Lf:
    case nlconv::kCrLf2Cr:
    case nlconv::kAny2Cr:
    case nlconv::kAny2Lf:
    case nlconv::kAny2CrLf: return new JoinLineEnds<T>(mode);
    default: return nullptr;
    }
}

} // namespace

GroupUtility* createNewlineStage(NLConv mode, IOType width) {
    switch (width) {
    case kIO8: return createStage<char>(mode);
    case kIO16: return createStage<unsigned short>(mode);
    case kIO32: return createStage<unsigned int>(mode);
    default: return nullptr;
    }
}

} // namespace CCC
