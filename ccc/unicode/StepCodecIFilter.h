#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "../flow/PushbackIFilter.h"

namespace CCC {

// Base of the conversion stages: a stage that turns source units of type In
// into units of type Out, written once as a step function and driven by both
// the unit path (getUnit) and the block path (readUnits).
//
// Source units come through a read-ahead buffer filled block-wise, so the
// block path costs one virtual call per source block, not per unit; both
// paths share the buffer and may be mixed freely. Output units that a step
// produced but the caller did not take wait on the push-back stack.
//
// Derived (CRTP) provides:
//   static constexpr int kMaxOut;   most units one step can produce
//   int step(Out* out);             consumes source units through next();
//                                   returns the number of units written to
//                                   out (0 = consumed something, produced
//                                   nothing) or -1 at the end of data
//   void resetState();              back to the initial state
// and may provide, for the common case of one output unit per source unit:
//   std::size_t run(const In* in, std::size_t n, Out* out);
//                                   converts a prefix of in[0, n) one to one
//                                   into out and returns its length; stops
//                                   (possibly at 0) where step() must decide
// or, where one source unit does not give one output unit, setting kHasBulk:
//   void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd);
//                                   converts whole sequences while they fit
//                                   in both ranges, advancing in and out; it
//                                   leaves to step() what it cannot finish
// A derived class with In == Out that sets kInPlace to true converts the
// block in place instead: std::size_t inPlace(Out* p, std::size_t n)
// rewrites p[0, n) and returns the new length (units may be dropped); it is
// used only while steadyP() (no action at the start of data is pending).
template <class In, class Out, class Derived>
class StepCodecIFilter : public PushbackIFilter<Out> {
public:
    StepCodecIFilter() : PushbackIFilter<Out>(ioTypeOf<In>) {}
    StepCodecIFilter(const StepCodecIFilter&) = delete;
    StepCodecIFilter& operator=(const StepCodecIFilter&) = delete;

    bool setSrc(IFlow* src) override {
        restart();
        return PushbackIFilter<Out>::setSrc(src);
    }
    bool rewind() override {
        restart();
        return PushbackIFilter<Out>::rewind();
    }

    static constexpr std::size_t kAheadUnits = 8192 / sizeof(In);

protected:
    // The next source unit; false at the end of data.
    bool next(In& u) {
        if (pos_ == len_ && !fill()) return false;
        u = ahead_[pos_++];
        return true;
    }
    // Gives back the unit next() delivered last: it is read again next time.
    void unread() { --pos_; }

    Out getUnit() override {
        Out u;
        if (this->takePushback(&u, 1)) return u;
        Out tmp[Derived::kMaxOut];
        for (;;) {
            int k = self().step(tmp);
            if (k < 0) CCC_THROW_IO(IOException::kEndOfData);
            if (k > 0) {
                if constexpr (Derived::kMaxOut > 1)
                    for (int i = k - 1; i > 0; --i) this->unget(tmp[i]);
                return tmp[0];
            }
        }
    }

    void readUnits(std::size_t n, Out* buffer, std::size_t& count) override {
        count = this->takePushback(buffer, n);
        Derived& d = self();
        while (count < n) {
            if constexpr (Derived::kInPlace) {
                if (pos_ == len_ && d.steadyP()) {
                    // Nothing read ahead: read straight into the caller's buffer.
                    bool atEnd = false;
                    std::size_t got = readBlock<In>(this->source(), buffer + count, n - count, atEnd);
                    count += d.inPlace(buffer + count, got);
                    if (atEnd) break;
                    continue;
                }
            }
            if constexpr (Derived::kHasBulk) {
                if (pos_ < len_) {
                    const In* in = ahead_ + pos_;
                    Out* out = buffer + count;
                    d.bulk(in, ahead_ + len_, out, buffer + n);
                    pos_ = static_cast<std::size_t>(in - ahead_);
                    count = static_cast<std::size_t>(out - buffer);
                    if (count == n) break;
                }
            } else if constexpr (Derived::kHasRun) {
                if (pos_ < len_) {
                    std::size_t k = d.run(ahead_ + pos_, std::min(len_ - pos_, n - count), buffer + count);
                    pos_ += k;
                    count += k;
                    if (count == n) break;
                }
            }
            if (n - count >= static_cast<std::size_t>(Derived::kMaxOut)) {
                int k = d.step(buffer + count);
                if (k < 0) break;
                count += static_cast<std::size_t>(k);
            } else {
                Out tmp[Derived::kMaxOut];
                int k = d.step(tmp);
                if (k < 0) break;
                std::size_t take = std::min(static_cast<std::size_t>(k), n - count);
                for (std::size_t i = static_cast<std::size_t>(k); i > take; --i) this->unget(tmp[i - 1]);
                std::memcpy(buffer + count, tmp, take * sizeof(Out));
                count += take;
            }
        }
    }

    // Defaults for the optional parts of a derived class.
    static constexpr bool kHasRun = false;
    static constexpr bool kHasBulk = false;
    static constexpr bool kInPlace = false;
    bool steadyP() const { return true; }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\unicode\\StepCodecIFilter.h";

    Derived& self() { return static_cast<Derived&>(*this); }

    bool fill() {
        bool atEnd = false;
        pos_ = 0;
        len_ = readBlock<In>(this->source(), ahead_, kAheadUnits, atEnd);
        return len_ != 0;
    }

    void restart() {
        pos_ = len_ = 0;
        this->clearPushback();
        self().resetState();
    }

    In ahead_[kAheadUnits];
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
};

} // namespace CCC
