#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ios>
#include <string>
#include <string_view>

#include "Object.h"

namespace CCC {

// Character traits for the library's unit types. The standard leaves
// std::char_traits undefined for unsigned short and unsigned int, so the
// strings over them carry their own.
template <class T>
struct UnitTraits {
    using char_type = T;
    using int_type = std::uint64_t;
    using off_type = std::streamoff;
    using pos_type = std::streampos;
    using state_type = std::mbstate_t;

    static constexpr void assign(char_type& r, const char_type& a) noexcept { r = a; }
    static constexpr bool eq(char_type a, char_type b) noexcept { return a == b; }
    static constexpr bool lt(char_type a, char_type b) noexcept {
        return static_cast<std::make_unsigned_t<T>>(a) < static_cast<std::make_unsigned_t<T>>(b);
    }
    static constexpr int compare(const char_type* a, const char_type* b, std::size_t n) noexcept {
        for (std::size_t i = 0; i < n; ++i) {
            if (lt(a[i], b[i])) return -1;
            if (lt(b[i], a[i])) return 1;
        }
        return 0;
    }
    static constexpr std::size_t length(const char_type* s) noexcept {
        std::size_t n = 0;
        while (s[n] != char_type(0)) ++n;
        return n;
    }
    static constexpr const char_type* find(const char_type* s, std::size_t n, const char_type& a) noexcept {
        for (std::size_t i = 0; i < n; ++i)
            if (s[i] == a) return s + i;
        return nullptr;
    }
    static char_type* move(char_type* d, const char_type* s, std::size_t n) noexcept {
        if (n) std::memmove(d, s, n * sizeof(char_type));
        return d;
    }
    static char_type* copy(char_type* d, const char_type* s, std::size_t n) noexcept {
        if (n) std::memcpy(d, s, n * sizeof(char_type));
        return d;
    }
    static char_type* assign(char_type* d, std::size_t n, char_type a) noexcept {
        // Zeros (a string made longer) a whole block at a time.
        if (a == char_type(0) && n) std::memset(d, 0, n * sizeof(char_type));
        else std::fill_n(d, n, a);
        return d;
    }
    static constexpr char_type to_char_type(int_type c) noexcept { return char_type(c); }
    static constexpr int_type to_int_type(char_type c) noexcept {
        return int_type(static_cast<std::make_unsigned_t<T>>(c));
    }
    static constexpr bool eq_int_type(int_type a, int_type b) noexcept { return a == b; }
    static constexpr int_type eof() noexcept { return ~int_type(0); }
    static constexpr int_type not_eof(int_type c) noexcept { return c == eof() ? 0 : c; }
};

template <class T>
using UnitString = std::basic_string<T, UnitTraits<T>>;
template <class T>
using UnitStringView = std::basic_string_view<T, UnitTraits<T>>;

// The library's growable string over one code-unit width: char (bytes of a
// named encoding), unsigned char, unsigned short (UTF-16, the core's text)
// and unsigned int (32-bit units). All std::basic_string operations apply.
template <class T>
class TString : public UnitString<T> {
public:
    using Base = UnitString<T>;
    using Base::Base;
    using Base::operator=;

    TString() = default;
    TString(const Base& s) : Base(s) {}
    TString(Base&& s) noexcept : Base(std::move(s)) {}
    explicit TString(UnitStringView<T> v) : Base(v) {}

    // Widens (or copies) an ASCII literal unit by unit.
    static TString fromAscii(std::string_view ascii) {
        TString s;
        s.resize(ascii.size());
        for (std::size_t i = 0; i < ascii.size(); ++i)
            s[i] = static_cast<T>(static_cast<unsigned char>(ascii[i]));
        return s;
    }

    bool emptyP() const { return this->empty(); }
    UnitStringView<T> view() const { return UnitStringView<T>(this->data(), this->size()); }
};

// A view of a range of a TString (or of any run of units).
template <class T>
class TSubString {
public:
    TSubString() = default;
    TSubString(const T* data, std::size_t length) : data_(data), length_(length) {}
    TSubString(const TString<T>& s, std::size_t pos, std::size_t length)
        : data_(s.data() + pos), length_(length) {}
    explicit TSubString(const TString<T>& s) : data_(s.data()), length_(s.size()) {}

    const T* data() const { return data_; }
    std::size_t length() const { return length_; }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    T operator[](std::size_t i) const { return data_[i]; }
    UnitStringView<T> view() const { return UnitStringView<T>(data_, length_); }
    TString<T> toString() const { return TString<T>(view()); }

private:
    const T* data_ = nullptr;
    std::size_t length_ = 0;
};

using BString = TString<char>;
using DString = TString<unsigned short>;
using QString32 = TString<unsigned int>;

} // namespace CCC
