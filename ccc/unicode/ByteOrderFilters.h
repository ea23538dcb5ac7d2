#pragma once

#include <cstring>

#include "../flow/StepCodecIFilter.h"

namespace CCC {

// The unit with its bytes in the opposite order.
inline unsigned short swapUnitBytes(unsigned short u) {
    return static_cast<unsigned short>((u >> 8) | (u << 8));
}
inline unsigned int swapUnitBytes(unsigned int u) {
    return (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24);
}

// Reverses the bytes of every 16- or 32-bit unit (kSwap), or passes units
// of width T unchanged (a form whose bytes are already in machine order, or
// a relabelling between two identifiers).
template <class T, bool kSwap>
struct UnitOrderCodec {
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = 1;

    void reset() {}
    bool steadyP() const { return true; }

    int step(StepCursor<T>& in, T* out) {
        T u;
        if (!in.next(u)) return -1;
        out[0] = kSwap ? swapUnitBytes(u) : u;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        if constexpr (kSwap)
            for (std::size_t i = 0; i < n; ++i) out[i] = swapUnitBytes(in[i]);
        else
            std::memcpy(out, in, n * sizeof(T));
        return n;
    }
    std::size_t inPlace(T* p, std::size_t n) {
        if constexpr (kSwap) run(p, n, p);
        return n;
    }
};

template <class T> using SwapEndianIFilter = StepCodecIFilter<UnitOrderCodec<T, true>>;
template <class T> using PassIFilter = StepCodecIFilter<UnitOrderCodec<T, false>>;

class FromUcs2ToUcs2Be : public SwapEndianIFilter<unsigned short> {};
class FromUcs2BeToUcs2 : public SwapEndianIFilter<unsigned short> {};
class FromUtf16NToUtf16Be : public SwapEndianIFilter<unsigned short> {};
class FromUtf16BeToUtf16N : public SwapEndianIFilter<unsigned short> {};
class FromUcs4ToUcs4Be : public SwapEndianIFilter<unsigned int> {};
class FromUcs4BeToUcs4 : public SwapEndianIFilter<unsigned int> {};
class FromUtf32NToUtf32Be : public SwapEndianIFilter<unsigned int> {};
class FromUtf32BeToUtf32N : public SwapEndianIFilter<unsigned int> {};

class FromUtf16NToUtf16Le : public PassIFilter<unsigned short> {};
class FromUtf16LeToUtf16N : public PassIFilter<unsigned short> {};
class FromUtf32NToUtf32Le : public PassIFilter<unsigned int> {};
class FromUtf32LeToUtf32N : public PassIFilter<unsigned int> {};
class FromUtf32NToUcs4 : public PassIFilter<unsigned int> {};

} // namespace CCC
