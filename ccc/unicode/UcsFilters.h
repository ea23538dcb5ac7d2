#pragma once

#include <type_traits>

#include "StepCodecIFilter.h"
#include "SurrogateFilters.h"

namespace CCC {

// The unsigned value of a unit (a char is a byte 0-255).
template <class T>
inline unsigned int unitValue(T u) {
    return static_cast<std::make_unsigned_t<T>>(u);
}

// Widens every unit to a wider unit type.
template <class In, class Out>
class WidenIFilter : public StepCodecIFilter<In, Out, WidenIFilter<In, Out>> {
    using Base = StepCodecIFilter<In, Out, WidenIFilter<In, Out>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;

    int step(Out* out) {
        In u;
        if (!this->next(u)) return -1;
        out[0] = static_cast<Out>(unitValue(u));
        return 1;
    }
    std::size_t run(const In* in, std::size_t n, Out* out) {
        for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<Out>(unitValue(in[i]));
        return n;
    }
    void resetState() {}
};

// Passes units below kLimit and drops the others; surrogate values are no
// characters and are dropped as well.
template <class In, class Out, unsigned int kLimit>
class LimitIFilter : public StepCodecIFilter<In, Out, LimitIFilter<In, Out, kLimit>> {
    using Base = StepCodecIFilter<In, Out, LimitIFilter<In, Out, kLimit>>;
    friend Base;

    static bool passP(unsigned int u) { return u < kLimit && (kLimit <= 0xD800 || !surrogateP(u)); }

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = std::is_same_v<In, Out>;

    int step(Out* out) {
        In u;
        if (!this->next(u)) return -1;
        if (!passP(unitValue(u))) return 0;
        out[0] = static_cast<Out>(unitValue(u));
        return 1;
    }
    std::size_t run(const In* in, std::size_t n, Out* out) {
        std::size_t i = 0;
        for (; i < n && passP(unitValue(in[i])); ++i) out[i] = static_cast<Out>(unitValue(in[i]));
        return i;
    }
    std::size_t inPlace(Out* p, std::size_t n) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (passP(unitValue(p[i]))) p[k++] = p[i];
        return k;
    }
    void resetState() {}
};

class FromUsAsciiToUcs2 : public WidenIFilter<char, unsigned short> {};
class FromUsAsciiToUcs4 : public WidenIFilter<char, unsigned int> {};
class FromUcs4ToUsAscii : public LimitIFilter<unsigned int, char, 0x80> {};
class FromUcs4ToUcs2 : public LimitIFilter<unsigned int, unsigned short, 0x10000> {};
class FromUcs4ToUtf32N : public LimitIFilter<unsigned int, unsigned int, 0x110000> {};

} // namespace CCC
