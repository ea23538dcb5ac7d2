#pragma once

// Chains of unit filters by number, run on units given as plain integers
// of any width: the shape of the table-driven tests.

#include <initializer_list>
#include <memory>

#include "PumpKit.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/flow/CompositIFilter.h"

namespace qmtest {

using Values = std::vector<unsigned int>;

inline CCC::IFilter* createUnitFilter(int number) {
    if (CCC::IFilter* f = CCC::createUnicodeUnitFilter(number)) return f;
    return CCC::createSingleByteUnitFilter(number);
}

inline std::unique_ptr<CCC::CompositIFilter> chainOf(const std::vector<int>& numbers) {
    auto c = std::make_unique<CCC::CompositIFilter>();
    for (int n : numbers) c->add(createUnitFilter(n));
    return c;
}

template <class T>
std::vector<T> narrowTo(const Values& v) {
    std::vector<T> out;
    for (unsigned int u : v) out.push_back(static_cast<T>(u));
    return out;
}

template <class T>
Values widen(const std::vector<T>& v) {
    Values out;
    for (T u : v) out.push_back(static_cast<std::make_unsigned_t<T>>(u));
    return out;
}

template <class In>
Values runFrom(CCC::IFilter& f, const Values& in, int outWidth, ReadMode mode, unsigned seed) {
    std::vector<In> units = narrowTo<In>(in);
    switch (outWidth) {
    case 1: return widen(run<char>(f, units, mode, seed));
    case 2: return widen(run<unsigned short>(f, units, mode, seed));
    default: return widen(run<unsigned int>(f, units, mode, seed));
    }
}

// Runs values of width inWidth (1, 2 or 4) through f, reading outWidth.
inline Values runValues(CCC::IFilter& f, int inWidth, const Values& in, int outWidth,
                        ReadMode mode = ReadMode::Blocks, unsigned seed = 1) {
    switch (inWidth) {
    case 1: return runFrom<char>(f, in, outWidth, mode, seed);
    case 2: return runFrom<unsigned short>(f, in, outWidth, mode, seed);
    default: return runFrom<unsigned int>(f, in, outWidth, mode, seed);
    }
}

inline Values valuesOf(const Bytes& b) {
    Values v;
    for (char c : b) v.push_back(static_cast<unsigned char>(c));
    return v;
}

} // namespace qmtest
