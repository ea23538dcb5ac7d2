#pragma once

#include "ByteOrderFilters.h"

namespace CCC {

inline constexpr unsigned int kByteOrderMark = 0xFEFF;

// Delivers the mark (as it looks in the stream's byte order) at the start of
// data, then the source's units unchanged. The mark does not wait for the
// source: an empty source still gives the mark.
template <class T>
class AddMarkIFilter : public StepCodecIFilter<T, T, AddMarkIFilter<T>> {
    using Base = StepCodecIFilter<T, T, AddMarkIFilter<T>>;
    friend Base;

public:
    explicit AddMarkIFilter(T mark) : mark_(mark) {}

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    bool steadyP() const { return !owed_; }
    int step(T* out) {
        if (owed_) {
            owed_ = false;
            out[0] = mark_;
            return 1;
        }
        if (!this->next(out[0])) return -1;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        if (owed_) return 0;
        std::memcpy(out, in, n * sizeof(T));
        return n;
    }
    std::size_t inPlace(T*, std::size_t n) { return n; }
    void resetState() { owed_ = true; }

private:
    T mark_;
    bool owed_ = true;
};

// Drops the first unit of the data when it equals the mark.
template <class T>
class DropMarkIFilter : public StepCodecIFilter<T, T, DropMarkIFilter<T>> {
    using Base = StepCodecIFilter<T, T, DropMarkIFilter<T>>;
    friend Base;

public:
    explicit DropMarkIFilter(T mark) : mark_(mark) {}

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    bool steadyP() const { return !fresh_; }
    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
        if (fresh_) {
            fresh_ = false;
            if (u == mark_) return 0;
        }
        out[0] = u;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        if (fresh_) return 0;
        std::memcpy(out, in, n * sizeof(T));
        return n;
    }
    std::size_t inPlace(T*, std::size_t n) { return n; }
    void resetState() { fresh_ = true; }

private:
    T mark_;
    bool fresh_ = true;
};

// Reads a leading mark in either byte order, drops it, and swaps every
// later unit when the mark came swapped. Data without a mark passes as is.
template <class T>
class DetectMarkIFilter : public StepCodecIFilter<T, T, DetectMarkIFilter<T>> {
    using Base = StepCodecIFilter<T, T, DetectMarkIFilter<T>>;
    friend Base;

public:
    bool swapP() const { return swap_; }

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    bool steadyP() const { return !fresh_; }
    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
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
    void resetState() {
        fresh_ = true;
        swap_ = false;
    }

private:
    bool fresh_ = true;
    bool swap_ = false;
};

class FromUtf16NToUtf16 : public AddMarkIFilter<unsigned short> {
public:
    FromUtf16NToUtf16() : AddMarkIFilter(0xFEFF) {}
};
class FromUtf32NToUtf32 : public AddMarkIFilter<unsigned int> {
public:
    FromUtf32NToUtf32() : AddMarkIFilter(0xFEFF) {}
};
class FromUtf16ToUtf16N : public DetectMarkIFilter<unsigned short> {};
class FromUtf32ToUtf32N : public DetectMarkIFilter<unsigned int> {};

// The explicit byte orders: a "be" mark reads swapped in machine order.
class FromUtf16BeToUtf16BeBom : public AddMarkIFilter<unsigned short> {
public:
    FromUtf16BeToUtf16BeBom() : AddMarkIFilter(0xFFFE) {}
};
class FromUtf16LeToUtf16LeBom : public AddMarkIFilter<unsigned short> {
public:
    FromUtf16LeToUtf16LeBom() : AddMarkIFilter(0xFEFF) {}
};
class FromUtf16BeBomToUtf16Be : public DropMarkIFilter<unsigned short> {
public:
    FromUtf16BeBomToUtf16Be() : DropMarkIFilter(0xFFFE) {}
};
class FromUtf16LeBomToUtf16Le : public DropMarkIFilter<unsigned short> {
public:
    FromUtf16LeBomToUtf16Le() : DropMarkIFilter(0xFEFF) {}
};
class FromUtf32BeToUtf32BeBom : public AddMarkIFilter<unsigned int> {
public:
    FromUtf32BeToUtf32BeBom() : AddMarkIFilter(0xFFFE0000u) {}
};
class FromUtf32LeToUtf32LeBom : public AddMarkIFilter<unsigned int> {
public:
    FromUtf32LeToUtf32LeBom() : AddMarkIFilter(0xFEFF) {}
};
class FromUtf32BeBomToUtf32Be : public DropMarkIFilter<unsigned int> {
public:
    FromUtf32BeBomToUtf32Be() : DropMarkIFilter(0xFFFE0000u) {}
};
class FromUtf32LeBomToUtf32Le : public DropMarkIFilter<unsigned int> {
public:
    FromUtf32LeBomToUtf32Le() : DropMarkIFilter(0xFEFF) {}
};

// UCS-2 to UTF-16: the same units; a mark at the start is not text.
class FromUcs2ToUtf16N : public DropMarkIFilter<unsigned short> {
public:
    FromUcs2ToUtf16N() : DropMarkIFilter(0xFEFF) {}
};

// UTF-8 with mark to UTF-8 without: drops EF BB BF at the start. Bytes that
// only begin like the mark are delivered as they are.
class FromUtf8ToUtf8N : public StepCodecIFilter<char, char, FromUtf8ToUtf8N> {
    using Base = StepCodecIFilter<char, char, FromUtf8ToUtf8N>;
    friend Base;

protected:
    static constexpr int kMaxOut = 3;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    bool steadyP() const { return !fresh_; }
    int step(char* out) {
        static constexpr char kMark[3] = {'\xEF', '\xBB', '\xBF'};
        char u;
        if (!fresh_) return this->next(out[0]) ? 1 : -1;
        fresh_ = false;
        int k = 0;
        while (k < 3) {
            if (!next(u)) return k ? k : -1;
            out[k++] = u;
            if (u != kMark[k - 1]) return k;
        }
        return 0;
    }
    std::size_t run(const char* in, std::size_t n, char* out) {
        if (fresh_) return 0;
        std::memcpy(out, in, n);
        return n;
    }
    std::size_t inPlace(char*, std::size_t n) { return n; }
    void resetState() { fresh_ = true; }

private:
    bool fresh_ = true;
};

// UTF-8 without mark to UTF-8 with: EF BB BF first, then the data.
class FromUtf8NToUtf8 : public StepCodecIFilter<char, char, FromUtf8NToUtf8> {
    using Base = StepCodecIFilter<char, char, FromUtf8NToUtf8>;
    friend Base;

protected:
    static constexpr int kMaxOut = 3;
    static constexpr bool kHasRun = true;
    static constexpr bool kInPlace = true;

    bool steadyP() const { return !owed_; }
    int step(char* out) {
        if (owed_) {
            owed_ = false;
            out[0] = '\xEF';
            out[1] = '\xBB';
            out[2] = '\xBF';
            return 3;
        }
        return this->next(out[0]) ? 1 : -1;
    }
    std::size_t run(const char* in, std::size_t n, char* out) {
        if (owed_) return 0;
        std::memcpy(out, in, n);
        return n;
    }
    std::size_t inPlace(char*, std::size_t n) { return n; }
    void resetState() { owed_ = true; }

private:
    bool owed_ = true;
};

} // namespace CCC
