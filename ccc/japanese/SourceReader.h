#pragma once

#include <cstddef>

#include "../flow/IFilter.h"

namespace CCC {

// Read-ahead of a stage's source units. The stage's unit and block paths
// both take their input here, so they can be mixed freely and a character
// split between two source blocks decodes as in one piece. The source is
// asked for a whole block only when the buffer runs dry.
//
// Units are taken through a Cursor, a local copy of the read position that
// the compiler can keep in registers while a block is converted; it writes
// the position back when it goes out of scope.
template <class In>
class SourceReader {
public:
    static constexpr std::size_t kSize = 2048;

    explicit SourceReader(const IFilter& owner) : owner_(owner) {}
    SourceReader(const SourceReader&) = delete;
    SourceReader& operator=(const SourceReader&) = delete;

    // Forgets what was read ahead (new source, rewind).
    void clear() { pos_ = end_ = 0; }

    class Cursor {
    public:
        explicit Cursor(SourceReader& r) : r_(r), p_(r.buffer_ + r.pos_), end_(r.buffer_ + r.end_) {}
        ~Cursor() { r_.pos_ = static_cast<std::size_t>(p_ - r_.buffer_); }
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;

        // The next source unit as an unsigned value, or -1 at the end of data.
        int next() {
            if (p_ == end_) [[unlikely]] {
                // Empty before the source is asked, so that a failing
                // source leaves a consistent (empty) read-ahead behind.
                p_ = end_ = r_.buffer_;
                r_.fill();
                end_ += r_.end_;
                if (p_ == end_) return -1;
            }
            return static_cast<int>(static_cast<std::make_unsigned_t<In>>(*p_++));
        }
        // Gives back the unit next() delivered last (never the end of data):
        // it is read again next time. A refill keeps that unit in the buffer.
        void unread() { --p_; }

    private:
        SourceReader& r_;
        const In* p_;
        const In* end_;
    };

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\japanese\\SourceReader.h";

    // Reads the next block of the source into the buffer (none at the end).
    void fill() {
        IFlow* src = owner_.getSrc();
        pos_ = end_ = 0;
        if (!src) CCC_THROW_IO(IOException::kNoSource);
        bool atEnd = false;
        end_ = readBlock<In>(*src, buffer_, kSize, atEnd);
    }

    const IFilter& owner_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    In buffer_[kSize];
};

template <class In>
using SourceCursor = typename SourceReader<In>::Cursor;

} // namespace CCC
