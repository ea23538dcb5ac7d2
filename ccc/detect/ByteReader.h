#pragma once

#include <cstddef>

#include "../flow/Flow.h"

namespace CCC {

// Hands out the bytes of a flow one at a time while reading it in blocks, so
// that a detector scanning a large input pays no virtual call per byte.
// Detection ends at the end of data or at any failure of the flow alike: the
// units a failing block read had already stored are still handed out.
class ByteReader {
public:
    explicit ByteReader(IFlow& in) : in_(in) {}
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    // The next byte; false once the flow is exhausted or has failed.
    bool next(unsigned char& b) {
        if (pos_ == len_ && !refill()) return false;
        b = buf_[pos_++];
        return true;
    }

    // The next byte for which passOver[byte] is false, skipping the others
    // in a tight loop over the buffer; false at the end.
    template <class Table>
    bool nextNotIn(const Table& passOver, unsigned char& b) {
        for (;;) {
            while (pos_ < len_) {
                unsigned char c = buf_[pos_++];
                if (!passOver[c]) {
                    b = c;
                    return true;
                }
            }
            if (!refill()) return false;
        }
    }

    // Buffers the next block; false at the end.
    bool refill();

    static constexpr std::size_t kBlock = 8 * 1024;

private:
    IFlow& in_;
    unsigned char buf_[kBlock];
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool end_ = false;
};

inline bool ByteReader::refill() {
    pos_ = len_ = 0;
    while (!end_) {
        std::size_t count = 0;
        try {
            in_.read8(kBlock, reinterpret_cast<char*>(buf_), count);
            if (count == 0) end_ = true;
        } catch (const IOException&) {
            end_ = true;
        }
        if (count > kBlock) count = 0;  // a flow that misreports: trust nothing
        if (count) {
            len_ = count;
            return true;
        }
    }
    return false;
}

} // namespace CCC
