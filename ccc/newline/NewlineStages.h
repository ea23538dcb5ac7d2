#pragma once

#include "../flow/Utility.h"
#include "../unicode/StepCodecIFilter.h"

namespace CCC {

inline constexpr unsigned int kCr = 13;
inline constexpr unsigned int kLf = 10;

// Base of the stages that work on units of one width T, whatever the
// encoding. They accept any source width; reading needs a source of T.
template <class T, class Derived>
class NewlineStage : public StepCodecIFilter<T, T, Derived>, public GroupUtility {
public:
    NewlineStage() { this->setMasks(ioTypeOf<T>, kIOAll); }

protected:
    // Copies units up to the first one equal to a or b.
    static std::size_t copyUntil(const T* in, std::size_t n, T* out, T a, T b) {
        std::size_t i = 0;
        for (; i < n && in[i] != a && in[i] != b; ++i) out[i] = in[i];
        return i;
    }
};

// Replaces every unit From by To (Cr2Lf, Lf2Cr).
template <class T, unsigned int From, unsigned int To>
class ReplaceUnitStage : public NewlineStage<T, ReplaceUnitStage<T, From, To>> {
    using Base = StepCodecIFilter<T, T, ReplaceUnitStage<T, From, To>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kInPlace = true;

    int step(T* out) {
        if (!this->next(out[0])) return -1;
        if (out[0] == T(From)) out[0] = T(To);
        return 1;
    }
    std::size_t inPlace(T* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            if (p[i] == T(From)) p[i] = T(To);
        return n;
    }
    void resetState() {}
};

// Replaces every unit Trigger by CR LF (Lf2CrLf, Cr2CrLf).
template <class T, unsigned int Trigger>
class ExpandUnitStage : public NewlineStage<T, ExpandUnitStage<T, Trigger>> {
    using Base = StepCodecIFilter<T, T, ExpandUnitStage<T, Trigger>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 2;
    static constexpr bool kHasRun = true;

    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
        if (u != T(Trigger)) {
            out[0] = u;
            return 1;
        }
        out[0] = T(kCr);
        out[1] = T(kLf);
        return 2;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        return this->copyUntil(in, n, out, T(Trigger), T(Trigger));
    }
    void resetState() {}
};

// CR LF becomes Result; a CR not followed by LF stays. The unit after a CR
// is examined again as the next unit, so CR CR LF gives CR Result.
template <class T, unsigned int Result>
class JoinCrLfStage : public NewlineStage<T, JoinCrLfStage<T, Result>> {
    using Base = StepCodecIFilter<T, T, JoinCrLfStage<T, Result>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;

    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
        if (u == T(kCr)) {
            T n;
            if (this->next(n)) {
                if (n == T(kLf)) u = T(Result);
                else this->unread();
            }
        }
        out[0] = u;
        return 1;
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        return this->copyUntil(in, n, out, T(kCr), T(kCr));
    }
    void resetState() {}
};

template <class T> class Cr2Lf : public ReplaceUnitStage<T, kCr, kLf> {};
// LF becomes CR (the mirror of Cr2Lf).
template <class T> class Lf2Cr : public ReplaceUnitStage<T, kLf, kCr> {};
template <class T> class CrLf2Lf : public JoinCrLfStage<T, kLf> {};
template <class T> class CrLf2Cr : public JoinCrLfStage<T, kCr> {};
template <class T> class Lf2CrLf : public ExpandUnitStage<T, kLf> {};
template <class T> class Cr2CrLf : public ExpandUnitStage<T, kCr> {};

// Every line end (CR LF, CR or LF) becomes the target form: nlConv 7 = CR,
// 8 = LF, 9 = CR LF. A CR at the end of data is a line end too.
template <class T>
class Auto2NewLine : public NewlineStage<T, Auto2NewLine<T>> {
    using Base = StepCodecIFilter<T, T, Auto2NewLine<T>>;
    friend Base;

public:
    explicit Auto2NewLine(int target) : target_(target) {}
    int getTarget() const { return target_; }

protected:
    static constexpr int kMaxOut = 2;
    static constexpr bool kHasRun = true;

    int step(T* out) {
        T u;
        if (!this->next(u)) return -1;
        if (u != T(kCr) && u != T(kLf)) {
            out[0] = u;
            return 1;
        }
        if (u == T(kCr)) {
            T n;
            if (this->next(n) && n != T(kLf)) this->unread();
        }
        switch (target_) {
        case 7: out[0] = T(kCr); return 1;
        case 8: out[0] = T(kLf); return 1;
        default:
            out[0] = T(kCr);
            out[1] = T(kLf);
            return 2;
        }
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        return this->copyUntil(in, n, out, T(kCr), T(kLf));
    }
    void resetState() {}

private:
    int target_;
};

// Exactly one U+FEFF at the start: the mark first, then the source's units
// without any U+FEFF among them.
template <class T>
class BomStage : public NewlineStage<T, BomStage<T>> {
    using Base = StepCodecIFilter<T, T, BomStage<T>>;
    friend Base;

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kInPlace = true;
    static constexpr T kMark = 0xFEFF;

    bool steadyP() const { return !owed_; }
    int step(T* out) {
        if (owed_) {
            owed_ = false;
            out[0] = kMark;
            return 1;
        }
        T u;
        if (!this->next(u)) return -1;
        if (u == kMark) return 0;
        out[0] = u;
        return 1;
    }
    std::size_t inPlace(T* p, std::size_t n) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (p[i] != kMark) p[k++] = p[i];
        return k;
    }
    void resetState() { owed_ = true; }

private:
    bool owed_ = true;
};

using Lf2Cr8 = Lf2Cr<char>;
using Lf2Cr16 = Lf2Cr<unsigned short>;
using Lf2Cr32 = Lf2Cr<unsigned int>;
using Cr2Lf8 = Cr2Lf<char>;
using Cr2Lf16 = Cr2Lf<unsigned short>;
using Cr2Lf32 = Cr2Lf<unsigned int>;
using CrLf2Lf8 = CrLf2Lf<char>;
using CrLf2Lf16 = CrLf2Lf<unsigned short>;
using CrLf2Lf32 = CrLf2Lf<unsigned int>;
using CrLf2Cr8 = CrLf2Cr<char>;
using CrLf2Cr16 = CrLf2Cr<unsigned short>;
using CrLf2Cr32 = CrLf2Cr<unsigned int>;
using Lf2CrLf8 = Lf2CrLf<char>;
using Lf2CrLf16 = Lf2CrLf<unsigned short>;
using Lf2CrLf32 = Lf2CrLf<unsigned int>;
using Cr2CrLf8 = Cr2CrLf<char>;
using Cr2CrLf16 = Cr2CrLf<unsigned short>;
using Cr2CrLf32 = Cr2CrLf<unsigned int>;
using Auto2NewLine8 = Auto2NewLine<char>;
using Auto2NewLine16 = Auto2NewLine<unsigned short>;
using Auto2NewLine32 = Auto2NewLine<unsigned int>;
using U16Bom = BomStage<unsigned short>;
using U32Bom = BomStage<unsigned int>;

} // namespace CCC
