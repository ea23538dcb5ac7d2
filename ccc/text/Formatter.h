#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "../base/TString.h"
#include "../base/Unit.h"
#include "FmtArg.h"
#include "FmtException.h"

namespace CCC {

// Builds text from a format string and typed arguments, in the manner of
// printf, over one code-unit width (char, unsigned short, unsigned int).
//
// Directive: % [{n}] [flags -+ 0#] [width | *] [. precision | .*] [l] conv
// with conv one of % c d i e E f g G n o p s u x X. Arguments count from 1;
// a directive takes the running number unless {n} names one, and the
// running number advances for every argument-taking directive and every '*'.
// A null zero-terminated string prints as "(null)". Failures throw
// FmtException (codes 0, 1, 4).
//
// 'n' checks and consumes a pointer argument (kind 13) but writes nothing
// and stores nothing: a format must never be able to write memory.
template <class T>
class Formatter {
    static_assert(isUnitType<T>, "Formatter needs char, unsigned short or unsigned int");

public:
    using Arg = FmtArg<T>;

    Formatter() = default;
    explicit Formatter(const TString<T>& format) : format_(format) {}
    // A zero-terminated run of units; null gives an empty format.
    explicit Formatter(const T* format);
    virtual ~Formatter() = default;

    Formatter(const Formatter&) = default;
    Formatter& operator=(const Formatter&) = default;
    Formatter(Formatter&&) noexcept = default;
    Formatter& operator=(Formatter&&) noexcept = default;

    const TString<T>& getFormat() const { return format_; }
    void setFormat(const TString<T>& format) { format_ = format; }

    // One add operation per argument kind, appending in call order.
    Formatter& addWord(std::uint32_t v) { return push(Arg::word(v)); }      // 0
    Formatter& addChar(char v) { return push(Arg::ofChar(v)); }              // 1
    Formatter& addUChar(unsigned char v) { return push(Arg::ofUChar(v)); }   // 2
    Formatter& addShort(short v) { return push(Arg::ofShort(v)); }           // 3
    Formatter& addUShort(unsigned short v) { return push(Arg::ofUShort(v)); }// 4
    Formatter& addInt(int v) { return push(Arg::ofInt(v)); }                 // 5
    Formatter& addUInt(unsigned int v) { return push(Arg::ofUInt(v)); }      // 6
    Formatter& addLong(long v) { return push(Arg::ofLong(v)); }              // 7
    Formatter& addULong(unsigned long v) { return push(Arg::ofULong(v)); }   // 8
    Formatter& addZString(const T* s) { return push(Arg::ofZString(s)); }    // 9
    Formatter& addString(const TString<T>& s) { return push(Arg::ofString(s)); }        // 10
    Formatter& addString(TString<T>&& s) { return push(Arg::ofString(std::move(s))); }  // 10
    Formatter& addDouble(double v) { return push(Arg::ofDouble(v)); }        // 11
    Formatter& addFloat(float v) { return push(Arg::ofFloat(v)); }           // 12
    Formatter& addPointer(const void* p) { return push(Arg::ofPointer(p)); } // 13

    // Drops every argument (the storage is kept for the next round).
    void reset() { args_.clear(); }
    std::size_t argCount() const { return args_.size(); }

    // A new string with the result; the caller owns it.
    std::unique_ptr<TString<T>> format() const;
    // Replace dest's contents with the result, or append it to dest. On
    // failure dest stays as it was; arguments may refer to dest's own text.
    void format(TString<T>& dest) const;
    void formatAppend(TString<T>& dest) const;

protected:
    // The engine: formats the run [fmt, fmt + n) with the arguments held,
    // appending to out. Throws FmtException; out may then hold a partial
    // result.
    void formatRun(const T* fmt, std::size_t n, TString<T>& out) const;

private:
    Formatter& push(Arg&& a) {
        args_.push_back(std::move(a));
        return *this;
    }
    bool refersTo(const TString<T>& dest) const;

    TString<T> format_;
    std::vector<Arg> args_;
};

extern template class Formatter<char>;
extern template class Formatter<unsigned short>;
extern template class Formatter<unsigned int>;

} // namespace CCC
