#pragma once

#include "Flow.h"

namespace CCC {

// An output stage with a destination (not owned). The base forwards every
// unit to the destination; without one, every operation throws code 7.
class OFilter : public OFlow {
public:
    explicit OFilter(IOType ioType = kIOAll, IOType acceptedDest = kIOAll)
        : OFlow(ioType, false), destMask_(acceptedDest) {}

    bool close() override;
    bool openP() const override { return dest_ != nullptr; }
    bool rewind() override;
    bool readyP() const override;

    void flush() override;
    void put8(char u) override;
    void put16(unsigned short u) override;
    void put32(unsigned int u) override;
    void write8(std::size_t n, const char* b, std::size_t& c) override;
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override;
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override;

    virtual bool setDest(OFlow* dest);
    OFlow* getDest() const { return dest_; }
    IOType getDestIOTypeMask() const { return destMask_; }

protected:
    // The destination, or IOException code 7 when there is none.
    OFlow& destination() const;
    void setMasks(IOType ioType, IOType acceptedDest) {
        setIOType(ioType);
        destMask_ = acceptedDest;
    }

private:
    OFlow* dest_ = nullptr;
    IOType destMask_;
};

// An output stage that accepts units of one width T; the other widths
// throw code 5.
template <class T>
class TOFilter : public OFilter {
    static_assert(isUnitType<T>, "TOFilter needs char, unsigned short or unsigned int");

public:
    explicit TOFilter(IOType acceptedDest = kIOAll) : OFilter(ioTypeOf<T>, acceptedDest) {}

    void put8(char u) override { putWidth(u); }
    void put16(unsigned short u) override { putWidth(u); }
    void put32(unsigned int u) override { putWidth(u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { writeWidth(n, b, c); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { writeWidth(n, b, c); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { writeWidth(n, b, c); }

    virtual void putDest(T u) { destination().template put<T>(u); }
    virtual void writeDest(std::size_t n, const T* buffer, std::size_t& count) {
        destination().template write<T>(n, buffer, count);
    }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\TOFilter.h";

    template <class U>
    void putWidth(U u) {
        if constexpr (std::is_same_v<U, T>) {
            putDest(u);
            passed();
        } else {
            (void)u;
            CCC_THROW_IO(IOException::kBadWidth);
        }
    }
    template <class U>
    void writeWidth(std::size_t n, const U* b, std::size_t& c) {
        if constexpr (std::is_same_v<U, T>) {
            writeDest(n, b, c);
            if (c) passed();
        } else {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(IOException::kBadWidth);
        }
    }
};

} // namespace CCC
