#pragma once

#include <cstring>

#include "Flow.h"

namespace CCC {

// Reads the units of a TString (not owned) from its start to its end. A null
// string gives a closed flow. Only width T is delivered (others: code 5).
template <class T>
class StringIFlow : public IFlow {
public:
    explicit StringIFlow(const TString<T>* s) : IFlow(ioTypeOf<T>, s != nullptr), s_(s) {}

    bool rewind() override {
        if (!IFlow::rewind()) return false;
        pos_ = 0;
        return true;
    }
    char get8() override { return getWidth<char>(); }
    unsigned short get16() override { return getWidth<unsigned short>(); }
    unsigned int get32() override { return getWidth<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readWidth(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readWidth(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readWidth(n, b, c); }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\string\\StringIFlow.h";

    template <class U>
    U getWidth() {
        if constexpr (sizeof(U) != sizeof(T)) {
            CCC_THROW_IO(IOException::kBadWidth);
        } else {
            if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
            if (pos_ >= s_->size()) CCC_THROW_IO(IOException::kEndOfData);
            passed();
            return static_cast<U>((*s_)[pos_++]);
        }
    }
    template <class U>
    void readWidth(std::size_t n, U* b, std::size_t& c) {
        if constexpr (sizeof(U) != sizeof(T)) {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(IOException::kBadWidth);
        } else {
            if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
            std::size_t left = s_->size() - pos_;
            c = n < left ? n : left;
            if (c) {
                std::memcpy(b, s_->data() + pos_, c * sizeof(T));
                pos_ += c;
                passed();
            }
        }
    }

    const TString<T>* s_;
    std::size_t pos_ = 0;
};

// Appends units to a TString (not owned). A null string gives a closed flow
// (code 3); only width T is accepted (others: code 5).
template <class T>
class StringOFlow : public OFlow {
public:
    explicit StringOFlow(TString<T>* s) : OFlow(ioTypeOf<T>, s != nullptr), s_(s) {}

    void put8(char u) override { writeWidth(1, &u); }
    void put16(unsigned short u) override { writeWidth(1, &u); }
    void put32(unsigned int u) override { writeWidth(1, &u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { c = writeWidth(n, b); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { c = writeWidth(n, b); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { c = writeWidth(n, b); }

    TString<T>* string() const { return s_; }

private:
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\string\\StringOFlow.h";

    template <class U>
    std::size_t writeWidth(std::size_t n, const U* b) {
        if constexpr (sizeof(U) != sizeof(T)) {
            (void)n, (void)b;
            CCC_THROW_IO(IOException::kBadWidth);
        } else {
            if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
            s_->append(reinterpret_cast<const T*>(b), n);
            if (n) passed();
            return n;
        }
    }

    TString<T>* s_;
};

} // namespace CCC
