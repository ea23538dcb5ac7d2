#pragma once

#include "Flow.h"

namespace CCC {

// Reads a block of memory as units of any width (machine byte order). A
// null base gives a closed flow; a length of 0 an empty one. A partial unit
// at the end of the block is not delivered.
class FixedMemIFlow : public IFlow {
public:
    FixedMemIFlow(const void* base, std::size_t byteLength);

    bool rewind() override;
    char get8() override { return getAny<char>(); }
    unsigned short get16() override { return getAny<unsigned short>(); }
    unsigned int get32() override { return getAny<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readAny(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readAny(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readAny(n, b, c); }

    std::size_t position() const { return pos_; }

protected:
    template <class T> T getAny();
    template <class T> void readAny(std::size_t n, T* buffer, std::size_t& count);

private:
    const unsigned char* base_;
    std::size_t length_;
    std::size_t pos_ = 0;
};

// A memory flow that delivers only units of width T (others: code 5).
template <class T>
class TFixedMemIFlow : public FixedMemIFlow {
public:
    TFixedMemIFlow(const T* base, std::size_t unitLength)
        : FixedMemIFlow(base, unitLength * sizeof(T)) {
        setIOType(ioTypeOf<T>);
    }

    char get8() override { return only<char>(); }
    unsigned short get16() override { return only<unsigned short>(); }
    unsigned int get32() override { return only<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readOnly(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readOnly(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readOnly(n, b, c); }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\mem\\TFixedMemIFlow.h";

    template <class U>
    U only() {
        if constexpr (sizeof(U) == sizeof(T)) return getAny<U>();
        else CCC_THROW_IO(IOException::kBadWidth);
    }
    template <class U>
    void readOnly(std::size_t n, U* b, std::size_t& c) {
        if constexpr (sizeof(U) == sizeof(T)) readAny(n, b, c);
        else {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(IOException::kBadWidth);
        }
    }
};

} // namespace CCC
