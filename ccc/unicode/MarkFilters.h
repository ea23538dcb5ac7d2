#pragma once

#include <cstring>

#include "ByteOrderFilters.h"

namespace CCC {

inline constexpr unsigned int kByteOrderMark = 0xFEFF;

// What a mark stage does with its unit sequence at the start of data.
enum class MarkAction {
    kAdd,         // delivers it first, even for empty data
    kDrop,        // drops it when the data begins with all of it; a partial
                  // match is delivered as it is
    kExactlyOne,  // delivers it first and drops every copy in the data
                  // (one-unit sequences)
};

// Adds or drops the unit sequence Seq (a byte-order mark as it looks in the
// stream) at the start of data; the other units pass unchanged.
template <class T, MarkAction kAction, T... Seq>
struct MarkCodec {
    static_assert(kAction != MarkAction::kExactlyOne || sizeof...(Seq) == 1);
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = sizeof...(Seq);
    static constexpr T kSeq[] = {Seq...};

    void reset() { fresh_ = true; }
    bool steadyP() const { return !fresh_; }

    int step(StepCursor<T>& in, T* out) {
        if (fresh_) {
            fresh_ = false;
            if constexpr (kAction != MarkAction::kDrop) {
                std::memcpy(out, kSeq, sizeof kSeq);
                return kMaxOut;
            } else {
                for (int k = 0; k < kMaxOut;) {
                    if (!in.next(out[k])) return k ? k : -1;
                    if (out[k] != kSeq[k]) return k + 1;
                    ++k;
                }
                return 0;
            }
        }
        T u;
        do {
            if (!in.next(u)) return -1;
        } while (dropP(u));
        out[0] = u;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        if (fresh_) return 0;
        std::size_t i = 0;
        for (; i < n && !dropP(in[i]); ++i) out[i] = in[i];
        return i;
    }
    std::size_t inPlace(T* p, std::size_t n) {
        if constexpr (kAction != MarkAction::kExactlyOne) {
            return n;
        } else {
            std::size_t k = 0;
            for (std::size_t i = 0; i < n; ++i)
                if (!dropP(p[i])) p[k++] = p[i];
            return k;
        }
    }

private:
    static bool dropP(T u) { return kAction == MarkAction::kExactlyOne && u == kSeq[0]; }

    bool fresh_ = true;
};

template <class T, T... Seq>
using AddMarkIFilter = StepCodecIFilter<MarkCodec<T, MarkAction::kAdd, Seq...>>;
template <class T, T... Seq>
using DropMarkIFilter = StepCodecIFilter<MarkCodec<T, MarkAction::kDrop, Seq...>>;

// Reads a leading mark in either byte order, drops it, and swaps every
// later unit when the mark came swapped. Data without a mark passes as is.
template <class T>
struct DetectMarkCodec {
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = 1;

    bool steadyP() const { return !fresh_; }
    void reset() {
        fresh_ = true;
        swap_ = false;
    }

    int step(StepCursor<T>& in, T* out) {
        T u;
        if (!in.next(u)) return -1;
        if (fresh_) {
            fresh_ = false;
            if (u == T(kByteOrderMark)) {
                swap_ = false;
                return 0;
            }
            if (u == swapUnitBytes(T(kByteOrderMark))) {
                swap_ = true;
                return 0;
            }
        }
        out[0] = swap_ ? swapUnitBytes(u) : u;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        if (fresh_) return 0;
        if (swap_)
            for (std::size_t i = 0; i < n; ++i) out[i] = swapUnitBytes(in[i]);
        else
            std::memcpy(out, in, n * sizeof(T));
        return n;
    }
    std::size_t inPlace(T* p, std::size_t n) { return run(p, n, p); }

private:
    bool fresh_ = true;
    bool swap_ = false;
};

class FromUtf16NToUtf16 : public AddMarkIFilter<unsigned short, 0xFEFF> {};
class FromUtf32NToUtf32 : public AddMarkIFilter<unsigned int, 0xFEFF> {};
class FromUtf16ToUtf16N : public StepCodecIFilter<DetectMarkCodec<unsigned short>> {};
class FromUtf32ToUtf32N : public StepCodecIFilter<DetectMarkCodec<unsigned int>> {};

// The explicit byte orders: a "be" mark reads swapped in machine order.
class FromUtf16BeToUtf16BeBom : public AddMarkIFilter<unsigned short, 0xFFFE> {};
class FromUtf16LeToUtf16LeBom : public AddMarkIFilter<unsigned short, 0xFEFF> {};
class FromUtf16BeBomToUtf16Be : public DropMarkIFilter<unsigned short, 0xFFFE> {};
class FromUtf16LeBomToUtf16Le : public DropMarkIFilter<unsigned short, 0xFEFF> {};
class FromUtf32BeToUtf32BeBom : public AddMarkIFilter<unsigned int, 0xFFFE0000u> {};
class FromUtf32LeToUtf32LeBom : public AddMarkIFilter<unsigned int, 0xFEFF> {};
class FromUtf32BeBomToUtf32Be : public DropMarkIFilter<unsigned int, 0xFFFE0000u> {};
class FromUtf32LeBomToUtf32Le : public DropMarkIFilter<unsigned int, 0xFEFF> {};

// UCS-2 to UTF-16: the same units; a mark at the start is not text.
class FromUcs2ToUtf16N : public DropMarkIFilter<unsigned short, 0xFEFF> {};

// UTF-8 with and without the mark EF BB BF.
class FromUtf8ToUtf8N : public DropMarkIFilter<char, '\xEF', '\xBB', '\xBF'> {};
class FromUtf8NToUtf8 : public AddMarkIFilter<char, '\xEF', '\xBB', '\xBF'> {};

} // namespace CCC
