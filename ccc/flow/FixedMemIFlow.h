#pragma once

#include "WidthDispatch.h"

namespace CCC {

// Reads a block of memory as units of any width (machine byte order). A
// null base gives a closed flow; a length of 0 an empty one. A partial unit
// at the end of the block is not delivered.
class FixedMemIFlow : public InputWidths<FixedMemIFlow> {
public:
    FixedMemIFlow(const void* base, std::size_t byteLength);

    bool rewind() override;

    std::size_t position() const { return pos_; }

private:
    friend class InputWidths<FixedMemIFlow>;
    // Widths outside the flow's mask throw code 5 (TFixedMemIFlow narrows it).
    template <class T> T getAny();
    template <class T> void readAny(std::size_t n, T* buffer, std::size_t& count);

    const unsigned char* base_;
    std::size_t length_;
    std::size_t pos_ = 0;
};

// A memory flow that delivers only units of width T (others: code 5).
template <class T>
class TFixedMemIFlow : public FixedMemIFlow {
public:
    TFixedMemIFlow(const T* base, std::size_t unitLength) : FixedMemIFlow(base, unitLength * sizeof(T)) {
        setIOType(ioTypeOf<T>);
    }
};

} // namespace CCC
