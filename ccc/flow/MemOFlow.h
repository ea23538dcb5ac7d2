#pragma once

#include "Flow.h"

namespace CCC {

// Writes units of any width (machine byte order) into a fixed block. A null
// base gives a closed flow (code 3); a full block throws code 2 after
// storing what fitted.
class FixedMemOFlow : public OFlow {
public:
    FixedMemOFlow(void* base, std::size_t byteLength);

    void put8(char u) override { putAny(u); }
    void put16(unsigned short u) override { putAny(u); }
    void put32(unsigned int u) override { putAny(u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { writeAny(n, b, c); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { writeAny(n, b, c); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { writeAny(n, b, c); }
    bool rewind() override;

    std::size_t position() const { return pos_; }

private:
    template <class T> void putAny(T u);
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    unsigned char* base_;
    std::size_t length_;
    std::size_t pos_ = 0;
};

// Appends units of any width (machine byte order) to a growable byte
// buffer, its own or one it is given (not owned).
class MemOFlow : public OFlow {
public:
    MemOFlow() : OFlow(kIOAll, true), buffer_(&own_) {}
    explicit MemOFlow(TString<char>* buffer) : OFlow(kIOAll, buffer != nullptr), buffer_(buffer) {}

    void put8(char u) override { putAny(u); }
    void put16(unsigned short u) override { putAny(u); }
    void put32(unsigned int u) override { putAny(u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { writeAny(n, b, c); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { writeAny(n, b, c); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { writeAny(n, b, c); }

    const TString<char>& bytes() const { return *buffer_; }
    void clearBytes() { buffer_->clear(); }

private:
    template <class T> void putAny(T u) {
        std::size_t c = 0;
        writeAny(1, &u, c);
    }
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    TString<char> own_;
    TString<char>* buffer_;
};

} // namespace CCC
