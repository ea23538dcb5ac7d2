#pragma once

#include <cstring>

#include "SinkOFlow.h"
#include "WidthDispatch.h"

namespace CCC {

// Reads the units of a TString (not owned) from its start to its end. A null
// string gives a closed flow. Only width T is delivered (others: code 5).
template <class T>
class StringIFlow : public InputWidths<StringIFlow<T>> {
    using Base = InputWidths<StringIFlow<T>>;

public:
    explicit StringIFlow(const TString<T>* s) : Base(ioTypeOf<T>, s != nullptr), s_(s) {}

    bool rewind() override {
        if (!Base::rewind()) return false;
        pos_ = 0;
        return true;
    }

private:
    friend Base;
    static constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\string\\StringIFlow.h";

    template <class U>
    U getAny() {
        U u{};
        std::size_t c = 0;
        readAny(1, &u, c);
        if (c == 0) CCC_THROW_IO(IOException::kEndOfData);
        return u;
    }
    template <class U>
    void readAny(std::size_t n, U* b, std::size_t& c) {
        if constexpr (sizeof(U) != sizeof(T)) {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(IOException::kBadWidth);
        } else {
            if (!this->openP()) CCC_THROW_IO(IOException::kNotOpen);
            std::size_t left = s_->size() - pos_;
            c = n < left ? n : left;
            if (c) {
                std::memcpy(b, s_->data() + pos_, c * sizeof(T));
                pos_ += c;
                this->passed();
            }
        }
    }

    const TString<T>* s_;
    std::size_t pos_ = 0;
};

// The take of a StringOFlow.
template <class T>
struct AppendUnits {
    TString<T>* s;
    void operator()(const T* units, std::size_t n) const { s->append(units, n); }
};

// Appends units to a TString (not owned). A null string gives a closed flow
// (code 3); only width T is accepted (others: code 5).
template <class T>
class StringOFlow : public SinkOFlow<T, AppendUnits<T>> {
public:
    explicit StringOFlow(TString<T>* s) : SinkOFlow<T, AppendUnits<T>>(AppendUnits<T>{s}, s != nullptr), s_(s) {}

    TString<T>* string() const { return s_; }

private:
    TString<T>* s_;
};

} // namespace CCC
