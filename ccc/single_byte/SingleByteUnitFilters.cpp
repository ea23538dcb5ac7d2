#include "../encoding/UnitFilterFactories.h"
#include "Cp1252Filters.h"
#include "Iso8859Filters.h"

namespace CCC {

namespace {

template <class F>
IFilter* make() { return new F; }
using Maker = IFilter* (*)();

// The parts in identifier order (24-36), as the unit-filter numbers run.
constexpr int kParts[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15};

constexpr Maker kDecoders[13] = {
    make<From8859_1ToUcs2>, make<From8859_2ToUcs2>, make<From8859_3ToUcs2>, make<From8859_4ToUcs2>,
    make<From8859_5ToUcs2>, make<From8859_6ToUcs2>, make<From8859_7ToUcs2>, make<From8859_8ToUcs2>,
    make<From8859_9ToUcs2>, make<From8859_10ToUcs2>, make<From8859_13ToUcs2>, make<From8859_14ToUcs2>,
    make<From8859_15ToUcs2>,
};
constexpr Maker kEncoders[13] = {
    make<FromUcs2To8859_1>, make<FromUcs2To8859_2>, make<FromUcs2To8859_3>, make<FromUcs2To8859_4>,
    make<FromUcs2To8859_5>, make<FromUcs2To8859_6>, make<FromUcs2To8859_7>, make<FromUcs2To8859_8>,
    make<FromUcs2To8859_9>, make<FromUcs2To8859_10>, make<FromUcs2To8859_13>, make<FromUcs2To8859_14>,
    make<FromUcs2To8859_15>,
};

} // namespace

IFilter* createSingleByteUnitFilter(int number) {
    if (number >= 57 && number <= 69) return kDecoders[number - 57]();
    if (number >= 70 && number <= 82) return new From8859_xToUsAscii(kParts[number - 70]);
    if (number >= 83 && number <= 95) return new FromUsAsciiTo8859_x(kParts[number - 83]);
    if (number >= 96 && number <= 108) return kEncoders[number - 96]();
    if (number == 111) return new FromCp1252ToUcs2;
    if (number == 112) return new FromUcs2ToCp1252;
    return nullptr;
}

} // namespace CCC
