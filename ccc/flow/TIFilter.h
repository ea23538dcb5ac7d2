#pragma once

#include "IFilter.h"

namespace CCC {

// A stage that delivers units of one width T (char, unsigned short or
// unsigned int). Reads of T go through getUnit() and readUnits(), which
// stages override; the two other widths throw code 5.
template <class T>
class TIFilter : public virtual IFilter {
    static_assert(isUnitType<T>, "TIFilter needs char, unsigned short or unsigned int");

public:
    explicit TIFilter(IOType acceptedSrc = kIOAll) { setMasks(ioTypeOf<T>, acceptedSrc); }

    char get8() override { return getWidth<char>(); }
    unsigned short get16() override { return getWidth<unsigned short>(); }
    unsigned int get32() override { return getWidth<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readWidth(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readWidth(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readWidth(n, b, c); }

    // One T unit, or a block of them, straight from the source.
    virtual T getSrcUnit() { return source().template get<T>(); }
    virtual void readSrc(std::size_t n, T* buffer, std::size_t& count) {
        source().template read<T>(n, buffer, count);
    }

protected:
    // The stage's own-width operations: by default the source's units pass.
    virtual T getUnit() { return getSrcUnit(); }
    virtual void readUnits(std::size_t n, T* buffer, std::size_t& count) { readSrc(n, buffer, count); }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\TIFilter.h";

    template <class U>
    U getWidth() {
        if constexpr (std::is_same_v<U, T>) {
            U u = getUnit();
            passed();
            return u;
        } else {
            CCC_THROW_IO(IOException::kBadWidth);
        }
    }
    template <class U>
    void readWidth(std::size_t n, U* buffer, std::size_t& count) {
        if constexpr (std::is_same_v<U, T>) {
            readUnits(n, buffer, count);
            if (count) passed();
        } else {
            (void)n, (void)buffer, (void)count;
            CCC_THROW_IO(IOException::kBadWidth);
        }
    }
};

} // namespace CCC
