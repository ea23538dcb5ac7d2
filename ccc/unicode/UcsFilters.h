#pragma once

#include <cstring>
#include <type_traits>

#include "../flow/StepCodecIFilter.h"
#include "SurrogateFilters.h"

namespace CCC {

// The unsigned value of a unit (a char is a byte 0-255).
template <class T>
inline unsigned int unitValue(T u) {
    return static_cast<std::make_unsigned_t<T>>(u);
}

// Widens every unit to a wider unit type.
template <class InUnit, class OutUnit>
struct WidenCodec {
    using In = InUnit;
    using Out = OutUnit;
    static constexpr int kMaxOut = 1;

    int step(StepCursor<In>& in, Out* out) {
        In u;
        if (!in.next(u)) return -1;
        out[0] = static_cast<Out>(unitValue(u));
        return 1;
    }
    std::size_t run(const In* in, std::size_t n, Out* out) {
        for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<Out>(unitValue(in[i]));
        return n;
    }
    void reset() {}
};

// Passes units below kLimit and drops the others; surrogate values are no
// characters and are dropped as well.
template <class InUnit, class OutUnit, unsigned int kLimit>
struct LimitCodec {
    using In = InUnit;
    using Out = OutUnit;
    static constexpr int kMaxOut = 1;

    // Without a branch, so that runs of units are tested as vectors.
    static bool passP(unsigned int u) { return (u < kLimit) & (kLimit <= 0xD800 || !surrogateP(u)); }

    int step(StepCursor<In>& in, Out* out) {
        In u;
        do {
            if (!in.next(u)) return -1;
        } while (!passP(unitValue(u)));
        out[0] = static_cast<Out>(unitValue(u));
        return 1;
    }
    std::size_t run(const In* in, std::size_t n, Out* out) {
        return convertWhile(in, n, out, [](unsigned int u) { return passP(u); });
    }
    // Units of one width are filtered in place.
    std::size_t inPlace(Out* p, std::size_t n)
        requires std::is_same_v<In, Out>
    {
        // Refused units are rare: runs of kept ones are found sixteen at a
        // time and stay where they are until a refused one is behind them.
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t kept = countWhile(p + i, n - i, [](unsigned int u) { return passP(u); });
            if (k != i) std::memmove(p + k, p + i, kept * sizeof(Out));
            i += kept;
            k += kept;
        }
        return k;
    }
    bool steadyP() const { return true; }
    void reset() {}
};

template <class In, class Out> using WidenIFilter = StepCodecIFilter<WidenCodec<In, Out>>;
template <class In, class Out, unsigned int kLimit>
using LimitIFilter = StepCodecIFilter<LimitCodec<In, Out, kLimit>>;

class FromUsAsciiToUcs2 : public WidenIFilter<char, unsigned short> {};
class FromUsAsciiToUcs4 : public WidenIFilter<char, unsigned int> {};
class FromUcs4ToUsAscii : public LimitIFilter<unsigned int, char, 0x80> {};
class FromUcs4ToUcs2 : public LimitIFilter<unsigned int, unsigned short, 0x10000> {};
class FromUcs4ToUtf32N : public LimitIFilter<unsigned int, unsigned int, 0x110000> {};
// UTF-16 to UCS-2 in one step: what UCS-2 lacks is every surrogate, paired
// or lone, so the units pass unless they are surrogates.
class FromUtf16NToUcs2 : public LimitIFilter<unsigned short, unsigned short, 0x10000> {};

} // namespace CCC
