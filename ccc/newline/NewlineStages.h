#pragma once

#include <cstring>

#include "../encoding/EncodingIds.h"
#include "../flow/CrLfSource.h"
#include "../flow/Utility.h"
#include "../unicode/MarkFilters.h"

namespace CCC {

inline constexpr unsigned int kCr = 13;
inline constexpr unsigned int kLf = 10;

// A stage on units of one width, whatever the encoding: it accepts any
// source width; reading needs a source of the codec's unit.
template <class Codec>
class NewlineStage : public StepCodecIFilter<Codec>, public GroupUtility {
public:
    template <class... Args>
    explicit NewlineStage(Args&&... args) : StepCodecIFilter<Codec>(std::forward<Args>(args)...) {
        this->setMasks(ioTypeOf<typename Codec::In>, kIOAll);
    }
};

// Copies units up to the first one equal to a or b.
template <class T>
std::size_t copyUntil(const T* in, std::size_t n, T* out, T a, T b) {
    if constexpr (sizeof(T) == 1) {
        if (a == b) {  // bytes: the C library's word-wide scan and copy
            const void* hit = std::memchr(in, a, n);
            const std::size_t i = hit ? static_cast<std::size_t>(static_cast<const T*>(hit) - in) : n;
            std::memcpy(out, in, i);
            return i;
        }
    }
    std::size_t i = 0;
    for (; i < n && in[i] != a && in[i] != b; ++i) out[i] = in[i];
    return i;
}

// Replaces every unit From by To (Cr2Lf, Lf2Cr).
template <class T, unsigned int From, unsigned int To>
struct ReplaceUnitCodec {
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = 1;

    int step(StepCursor<T>& in, T* out) {
        if (!in.next(out[0])) return -1;
        if (out[0] == T(From)) out[0] = T(To);
        return 1;
    }
    std::size_t inPlace(T* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            if (p[i] == T(From)) p[i] = T(To);
        return n;
    }
    bool steadyP() const { return true; }
    void reset() {}
};

// Replaces every unit Trigger by CR LF (Lf2CrLf, Cr2CrLf).
template <class T, unsigned int Trigger>
struct ExpandUnitCodec {
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = 2;

    int step(StepCursor<T>& in, T* out) {
        T u;
        if (!in.next(u)) return -1;
        if (u != T(Trigger)) {
            out[0] = u;
            return 1;
        }
        out[0] = T(kCr);
        out[1] = T(kLf);
        return 2;
    }
    std::size_t run(const T* in, std::size_t n, T* out) { return copyUntil(in, n, out, T(Trigger), T(Trigger)); }
    void reset() {}
};

// Line ends to the form mode asks: with kAny2Cr, kAny2Lf or kAny2CrLf every
// line end (CR LF, CR or LF; a CR at the end of data too); with kCrLf2Lf or
// kCrLf2Cr only CR LF, while a CR not followed by LF stays. The unit after a
// CR is examined again as the next unit, so CR CR LF gives CR and one end.
template <class T>
struct JoinLineEndCodec {
    using In = T;
    using Out = T;
    static constexpr int kMaxOut = 2;

    explicit JoinLineEndCodec(NLConv mode) : mode_(mode) {}

    int step(StepCursor<T>& in, T* out) {
        T u;
        if (!in.next(u)) return -1;
        if (u != T(kCr) && (u != T(kLf) || !anyP())) {
            out[0] = u;
            return 1;
        }
        if (u == T(kCr)) {
            T n;
            bool lf = in.next(n);
            if (lf && n != T(kLf)) {
                in.unread();
                lf = false;
            }
            if (!lf && !anyP()) {
                out[0] = u;
                return 1;
            }
        }
        switch (mode_) {
        case nlconv::kAny2CrLf:
            out[0] = T(kCr);
            out[1] = T(kLf);
            return 2;
        case nlconv::kAny2Cr:
        case nlconv::kCrLf2Cr: out[0] = T(kCr); return 1;
        default: out[0] = T(kLf); return 1;
        }
    }
    std::size_t run(const T* in, std::size_t n, T* out) {
        return copyUntil(in, n, out, T(kCr), anyP() ? T(kLf) : T(kCr));
    }
    void reset() {}

private:
    bool anyP() const { return mode_ >= nlconv::kAny2Cr; }

    NLConv mode_;
};

template <class T> using Lf2Cr = NewlineStage<ReplaceUnitCodec<T, kLf, kCr>>;
template <class T> using Cr2Lf = NewlineStage<ReplaceUnitCodec<T, kCr, kLf>>;
// LF -> CR LF. When its source can expand line ends itself (an encoder
// to UTF-8 or Shift_JIS, see CrLfSource) the stage hands the work over at
// the first read and passes the source's units through.
template <class T>
class Lf2CrLf : public NewlineStage<ExpandUnitCodec<T, kLf>> {
    using Base = NewlineStage<ExpandUnitCodec<T, kLf>>;

public:
    bool setSrc(IFlow* src) override {
        decided_ = false;
        return Base::setSrc(src);
    }
    bool rewind() override {
        decided_ = false;
        return Base::rewind();
    }

protected:
    T getUnit() override { return fusedP() ? this->getSrcUnit() : Base::getUnit(); }
    void readUnits(std::size_t n, T* buffer, std::size_t& count) override {
        if (fusedP()) this->readSrc(n, buffer, count);
        else Base::readUnits(n, buffer, count);
    }

private:
    bool fusedP() {
        if (!decided_) {
            decided_ = true;
            auto* expanding = dynamic_cast<CrLfSource*>(this->getSrc());
            fused_ = expanding && expanding->expandLfToCrLf();
        }
        return fused_;
    }

    bool decided_ = false;
    bool fused_ = false;
};
template <class T> using Cr2CrLf = NewlineStage<ExpandUnitCodec<T, kCr>>;
// CrLf2Lf, CrLf2Cr and the three Any2 modes.
template <class T> using JoinLineEnds = NewlineStage<JoinLineEndCodec<T>>;

// Exactly one U+FEFF at the start: the mark first, then the source's units
// without any U+FEFF among them.
template <class T> using BomStage = NewlineStage<MarkCodec<T, MarkAction::kExactlyOne, T(kByteOrderMark)>>;
using U16Bom = BomStage<unsigned short>;
using U32Bom = BomStage<unsigned int>;

} // namespace CCC
