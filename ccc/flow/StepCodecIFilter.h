#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "PushbackIFilter.h"

namespace CCC {

template <class In> class StepCursor;
template <class Codec> class StepCodecIFilter;

// Read-ahead of a stage's source units, filled block-wise so that the block
// path costs one virtual call per source block, not per unit. The unit and
// block paths both take their input here: they may be mixed freely, and a
// character split between two source blocks converts as in one piece.
template <class In>
class ReadAhead {
public:
    static constexpr std::size_t kSize = 2048;

    // Forgets what was read ahead (new source, rewind).
    void clear() { pos_ = end_ = 0; }

private:
    template <class> friend class StepCursor;
    template <class> friend class StepCodecIFilter;

    // Reads the next block of src; false when there is none. Out of line,
    // off the cursor's hot path.
    [[gnu::noinline]] bool fill(IFlow* src) {
        pos_ = end_ = 0;  // empty first, so that a failing source leaves it consistent
        if (!src) CCC_THROW_IO(IOException::kNoSource);
        bool atEnd = false;
        end_ = readBlock<In>(*src, buffer_, kSize, atEnd);
        return end_ != 0;
    }

    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\flow\\StepCodecIFilter.h";

    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    In buffer_[kSize];
};

// What a codec's step() reads from: a local copy of the read-ahead position
// that the compiler can keep in registers while a block is converted; it
// writes the position back when it goes out of scope. It stays in registers
// only while its address never leaves the driver: its members are forced
// inline, and the refill is the read-ahead's.
template <class In>
class StepCursor {
public:
    StepCursor(ReadAhead<In>& r, IFlow* src)
        : r_(r), src_(src), p_(r.buffer_ + r.pos_), end_(r.buffer_ + r.end_) {}
    ~StepCursor() { r_.pos_ = static_cast<std::size_t>(p_ - r_.buffer_); }
    StepCursor(const StepCursor&) = delete;
    StepCursor& operator=(const StepCursor&) = delete;

    // The next source unit; false at the end of data.
    [[gnu::always_inline]] bool next(In& u) {
        if (p_ == end_) [[unlikely]] {
            bool got = r_.fill(src_);
            p_ = r_.buffer_;
            end_ = r_.buffer_ + r_.end_;
            if (!got) return false;
        }
        u = *p_++;
        return true;
    }
    // The next unit as an unsigned value, or -1 at the end (narrow units).
    [[gnu::always_inline]] int next()
        requires(sizeof(In) < sizeof(int))
    {
        In u;
        return next(u) ? static_cast<int>(static_cast<std::make_unsigned_t<In>>(u)) : -1;
    }
    // Gives back the unit next() delivered last (never the end of data): it
    // is read again next time. A refill keeps that unit in the buffer.
    [[gnu::always_inline]] void unread() { --p_; }

private:
    template <class> friend class StepCodecIFilter;

    ReadAhead<In>& r_;
    IFlow* src_;
    const In* p_;
    const In* end_;
};

// A conversion stage written once as a Codec's step function and driven by
// both the unit path (getUnit) and the block path (readUnits).
//
// A Codec states its source unit In, its output unit Out and provides
//   static constexpr int kMaxOut;   most units one step can produce
//   int step(StepCursor<In>& in, Out* out);
//                                   reads source units through in, writes
//                                   the units of the next character to out
//                                   and returns their number (0 = consumed
//                                   something, produced nothing), or -1 at
//                                   the end of data
//   void reset();                   back to the initial state
// and, for the fast paths, may provide one of
//   std::size_t run(const In* in, std::size_t n, Out* out);
//                                   converts a prefix of in[0, n) one to one
//                                   into out and returns its length; stops
//                                   (possibly at 0) where step() must decide
//   void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd);
//                                   converts whole characters while they fit
//                                   in both ranges, advancing in and out, and
//                                   leaves to step() what it cannot finish
// and, with In == Out, both of
//   std::size_t inPlace(Out* p, std::size_t n);
//                                   rewrites a block in place and returns its
//                                   new length (units may be dropped)
//   bool steadyP() const;           true while inPlace() may be used (no
//                                   action at the start of data is pending)
//
// Output units that a step produced but the caller did not take wait on the
// push-back stack, so both paths give the same units.
template <class Codec>
class StepCodecIFilter : public PushbackIFilter<typename Codec::Out> {
public:
    using In = typename Codec::In;
    using Out = typename Codec::Out;

    StepCodecIFilter() : PushbackIFilter<Out>(ioTypeOf<In>) {}
    template <class Arg, class... Args>
    explicit StepCodecIFilter(Arg&& arg, Args&&... args)
        : PushbackIFilter<Out>(ioTypeOf<In>), codec_(std::forward<Arg>(arg), std::forward<Args>(args)...) {}
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

protected:
    Codec& codec() { return codec_; }

    Out getUnit() override {
        Out u;
        if (this->takePushback(&u, 1)) return u;
        Out units[kMaxOut];
        StepCursor<In> in(ahead_, this->getSrc());
        for (;;) {
            int k = codec_.step(in, units);
            if (k < 0) CCC_THROW_IO(IOException::kEndOfData);
            if (k > 0) {
                if constexpr (kMaxOut > 1) keep(units + 1, static_cast<std::size_t>(k - 1));
                return units[0];
            }
        }
    }

    void readUnits(std::size_t n, Out* buffer, std::size_t& count) override {
        Out* out = buffer + this->takePushback(buffer, n);
        Out* const end = buffer + n;
        StepCursor<In> in(ahead_, this->getSrc());
        int k = 0;
        while (out != end) {
            if constexpr (kInPlace) {
                if (in.p_ == in.end_ && codec_.steadyP()) {
                    // Nothing read ahead: read straight into the caller's buffer.
                    bool atEnd = false;
                    std::size_t got = readBlock<In>(this->source(), out, static_cast<std::size_t>(end - out), atEnd);
                    out += codec_.inPlace(out, got);
                    if (atEnd) break;
                    continue;
                }
            }
            if constexpr (kBulk) {
                codec_.bulk(in.p_, in.end_, out, end);
                if (out == end) break;
            } else if constexpr (kRun) {
                std::size_t r = run(in.p_, std::min<std::size_t>(in.end_ - in.p_, end - out), out);
                in.p_ += r;
                out += r;
                if (out == end) break;
            }
            if (end - out >= kMaxOut) {
                // Whole steps straight into the buffer; a codec with a fast
                // path goes back to it after each step.
                if constexpr (kFastPath) {
                    k = codec_.step(in, out);
                    if (k < 0) break;
                    out += k;
                } else {
                    for (Out* const last = end - kMaxOut; out <= last;) {
                        k = codec_.step(in, out);
                        if (k < 0) break;
                        out += static_cast<unsigned>(k);  // known >= 0: no sign extension
                    }
                    if (k < 0) break;
                }
            } else {
                // The last step of the block: what does not fit waits.
                Out units[kMaxOut];
                k = codec_.step(in, units);
                if (k < 0) break;
                std::size_t fit = std::min(static_cast<std::size_t>(k), static_cast<std::size_t>(end - out));
                out = std::copy(units, units + fit, out);
                keep(units + fit, static_cast<std::size_t>(k) - fit);
            }
        }
        count = static_cast<std::size_t>(out - buffer);
    }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\flow\\StepCodecIFilter.h";
    static constexpr int kMaxOut = Codec::kMaxOut;
    static constexpr bool kRun = requires(Codec& c, const In* i, Out* o) { c.run(i, std::size_t{}, o); };
    static constexpr bool kBulk = requires(Codec& c, const In*& i, Out*& o) { c.bulk(i, i, o, o); };
    static constexpr bool kInPlace = requires(Codec& c, Out* p) {
        c.inPlace(p, std::size_t{});
        c.steadyP();
    };
    static constexpr bool kFastPath = kRun || kBulk || kInPlace;

    // The codec's run, compiled by itself: inlined here, its loop would
    // carry both pointers and the count, and runs a third slower.
    [[gnu::noinline]] std::size_t run(const In* in, std::size_t n, Out* out) { return codec_.run(in, n, out); }

    // Pushes units that are due next, so that the first comes out first.
    void keep(const Out* units, std::size_t k) {
        while (k) this->unget(units[--k]);
    }

    void restart() {
        this->clearPushback();
        ahead_.clear();
        codec_.reset();
    }

    Codec codec_;
    ReadAhead<In> ahead_;
};

} // namespace CCC
