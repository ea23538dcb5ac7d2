#pragma once

#include "Flow.h"

namespace CCC {

// Routes the per-width virtual operations of a flow to one member template
// of the derived class, so that a flow writes its logic once for all three
// unit widths: Derived::getAny<T>() and Derived::readAny<T>(n, buffer, count)
// for input, Derived::writeAny<T>(n, buffer, count) for output.
template <class Derived, class Base = IFlow>
class InputWidths : public Base {
public:
    using Base::Base;

    char get8() override { return self().template getAny<char>(); }
    unsigned short get16() override { return self().template getAny<unsigned short>(); }
    unsigned int get32() override { return self().template getAny<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { self().readAny(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { self().readAny(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { self().readAny(n, b, c); }

private:
    Derived& self() { return static_cast<Derived&>(*this); }
};

template <class Derived, class Base = OFlow>
class OutputWidths : public Base {
public:
    using Base::Base;

    void put8(char u) override { putOne(u); }
    void put16(unsigned short u) override { putOne(u); }
    void put32(unsigned int u) override { putOne(u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { self().writeAny(n, b, c); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { self().writeAny(n, b, c); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { self().writeAny(n, b, c); }

private:
    Derived& self() { return static_cast<Derived&>(*this); }
    template <class T> void putOne(T u) {
        std::size_t c = 0;
        self().writeAny(1, &u, c);
    }
};

} // namespace CCC
