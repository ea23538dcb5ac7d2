#pragma once

#include "WidthDispatch.h"

namespace CCC {

// Writes units of any width (machine byte order) into a fixed block. A null
// base gives a closed flow (code 3); a full block throws code 2 after
// storing what fitted.
class FixedMemOFlow : public OutputWidths<FixedMemOFlow> {
public:
    FixedMemOFlow(void* base, std::size_t byteLength);

    bool rewind() override;

    std::size_t position() const { return pos_; }

private:
    friend class OutputWidths<FixedMemOFlow>;
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    unsigned char* base_;
    std::size_t length_;
    std::size_t pos_ = 0;
};

// Appends units of any width (machine byte order) to a growable byte
// buffer, its own or one it is given (not owned).
class MemOFlow : public OutputWidths<MemOFlow> {
public:
    MemOFlow() : OutputWidths(kIOAll, true), buffer_(&own_) {}
    explicit MemOFlow(TString<char>* buffer) : OutputWidths(kIOAll, buffer != nullptr), buffer_(buffer) {}


    const TString<char>& bytes() const { return *buffer_; }
    void clearBytes() { buffer_->clear(); }

private:
    friend class OutputWidths<MemOFlow>;
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    TString<char> own_;
    TString<char>* buffer_;
};

} // namespace CCC
