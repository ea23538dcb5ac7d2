#pragma once

#include "StepCodecIFilter.h"

namespace CCC {

// The unit with its bytes in the opposite order.
inline unsigned short swapUnitBytes(unsigned short u) {
    return static_cast<unsigned short>((u >> 8) | (u << 8));
}
inline unsigned int swapUnitBytes(unsigned int u) {
    return (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24);
}

// Reverses the bytes of every 16- or 32-bit unit.
template <class T>
class SwapEndianIFilter : public StepCodecIFilter<T, T, SwapEndianIFilter<T>> {
    using Base = StepCodecIFilter<T, T, SwapEndianIFilter<T>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
        out[0] = swapUnitBytes(u);
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        for (std::size_t i = 0; i < n; ++i) out[i] = swapUnitBytes(in[i]);
        return n;
    }
    std::size_t inPlace(T* p, std::size_t n) { return run(p, n, p); }
    void resetState() {}
};

class UInt16SwapEndianIFilter : public SwapEndianIFilter<unsigned short> {};
class UInt32SwapEndianIFilter : public SwapEndianIFilter<unsigned int> {};

class FromUcs2ToUcs2Be : public UInt16SwapEndianIFilter {};
class FromUcs2BeToUcs2 : public UInt16SwapEndianIFilter {};
class FromUtf16NToUtf16Be : public UInt16SwapEndianIFilter {};
class FromUtf16BeToUtf16N : public UInt16SwapEndianIFilter {};
class FromUcs4ToUcs4Be : public UInt32SwapEndianIFilter {};
class FromUcs4BeToUcs4 : public UInt32SwapEndianIFilter {};
class FromUtf32NToUtf32Be : public UInt32SwapEndianIFilter {};
class FromUtf32BeToUtf32N : public UInt32SwapEndianIFilter {};

// Passes units of width T unchanged (a form whose bytes are already in
// machine order, or a relabelling between two identifiers).
template <class T>
class PassIFilter : public StepCodecIFilter<T, T, PassIFilter<T>> {
    using Base = StepCodecIFilter<T, T, PassIFilter<T>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    int step(T* out) { return this->next(out[0]) ? 1 : -1; }
    std::size_t run(const T* in, std::size_t n, T* out) {
        std::memcpy(out, in, n * sizeof(T));
        return n;
    }
    std::size_t inPlace(T*, std::size_t n) { return n; }
    void resetState() {}
};

class FromUtf16NToUtf16Le : public PassIFilter<unsigned short> {};
class FromUtf16LeToUtf16N : public PassIFilter<unsigned short> {};
class FromUtf32NToUtf32Le : public PassIFilter<unsigned int> {};
class FromUtf32LeToUtf32N : public PassIFilter<unsigned int> {};
class FromUtf32NToUcs4 : public PassIFilter<unsigned int> {};

} // namespace CCC
