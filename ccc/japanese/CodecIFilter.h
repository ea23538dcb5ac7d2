#pragma once

#include <algorithm>

#include "../flow/PushbackIFilter.h"
#include "SourceReader.h"

namespace CCC {

// A conversion stage built from a Codec, which states its source unit In,
// its output unit Out, the most units one step can give (kMaxOut), reset()
// and step(cursor, out): convert the next character, write its units to out
// and return their number; 0 means the end of data.
//
// The unit path hands out the first unit of a step and pushes the rest back
// (to deliver x, y, z: push z, then y, return x). The block path runs steps
// straight into the caller's buffer; a step that does not fit at the end of
// the block is split the same way, so both paths give the same units.
template <class Codec>
class CodecIFilter : public PushbackIFilter<typename Codec::Out> {
public:
    using In = typename Codec::In;
    using Out = typename Codec::Out;
    static constexpr std::size_t kMaxOut = Codec::kMaxOut;

    CodecIFilter() : PushbackIFilter<Out>(ioTypeOf<In>), reader_(*this) {}

    bool setSrc(IFlow* src) override {
        restart();
        return PushbackIFilter<Out>::setSrc(src);
    }

    bool rewind() override {
        restart();
        return PushbackIFilter<Out>::rewind();
    }

    const Codec& codec() const { return codec_; }

protected:
    Out getUnit() override {
        Out u;
        if (this->takePushback(&u, 1)) return u;
        Out units[kMaxOut];
        std::size_t k;
        {
            SourceCursor<In> in(reader_);
            k = codec_.step(in, units);
        }
        if (k == 0) CCC_THROW_IO(IOException::kEndOfData);
        keep(units + 1, k - 1);
        return units[0];
    }

    void readUnits(std::size_t n, Out* buffer, std::size_t& count) override {
        Out* out = buffer + this->takePushback(buffer, n);
        Out* const end = buffer + n;
        std::size_t k = 1;
        if (n >= kMaxOut) {
            // A local cursor, so that output stores cannot force reloads of
            // the read position.
            SourceCursor<In> in(reader_);
            for (Out* const last = end - kMaxOut; out <= last; out += k) {
                k = codec_.step(in, out);
                if (k == 0) break;
            }
        }
        if (k != 0 && out != end) {
            Out units[kMaxOut];
            {
                SourceCursor<In> in(reader_);
                k = codec_.step(in, units);
            }
            std::size_t fit = std::min(k, static_cast<std::size_t>(end - out));
            out = std::copy(units, units + fit, out);
            keep(units + fit, k - fit);
        }
        count = static_cast<std::size_t>(out - buffer);
    }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\japanese\\CodecIFilter.h";

    // Pushes units that are due next, so that the first comes out first.
    void keep(const Out* units, std::size_t k) {
        while (k) this->unget(units[--k]);
    }

    void restart() {
        this->clearPushback();
        reader_.clear();
        codec_.reset();
    }

    Codec codec_;
    SourceReader<In> reader_;
};

} // namespace CCC
