#pragma once

#include <cstdarg>
#include <cstddef>

#include "../flow/OFilter.h"
#include "Formatter.h"

namespace CCC {

// The output stage programs print through: it hands units of width T to the
// next stage of its chain and offers printf-style printing, formatted by
// its own formatter part.
//
// A print walks the format once to take its C variable arguments by
// conversion letter (c d i and '*': int; o u x X: unsigned int; with 'l',
// d and i take a long and u an unsigned long; e E f g G: double; s: a
// zero-terminated run of T; n and p: a pointer), formats them, and writes
// the result as one block. Format errors throw FmtException before anything
// is written; without a next stage a write throws IOException code 7.
template <class T>
class TextWriter : public TOFilter<T>, public Formatter<T> {
public:
    explicit TextWriter(OFlow* dest = nullptr) : TOFilter<T>(ioTypeOf<T>) {
        if (dest) this->setDest(dest);
    }
    ~TextWriter() override = default;

    // Hands n units to the next stage and returns how many it took. flags
    // (a byte order or flag word) is accepted for callers that pass one;
    // the stages behind a writer take none, so it goes no further.
    virtual std::size_t writeUnits(std::size_t n, const T* units, int flags);
    virtual std::size_t writePair(const T* units, std::size_t n) { return writeUnits(n, units, 0); }
    // Units up to the terminating 0 (a null pointer writes nothing).
    virtual std::size_t writeZ(const T* s);
    virtual std::size_t writeSub(const TSubString<T>& s) { return writeUnits(s.size(), s.data(), 0); }
    virtual std::size_t writeString(const TString<T>& s) { return writeUnits(s.size(), s.data(), 0); }

    // Each print returns the number of units written. A null format prints
    // nothing.
    virtual std::size_t printN(const T* format, std::size_t n, ...);
    virtual std::size_t print(const T* format, ...);
    virtual std::size_t print(const TString<T>* format, ...);
    virtual std::size_t vprintN(const T* format, std::size_t n, va_list ap) {
        return vprintRun(format, format ? n : 0, ap);
    }
    virtual std::size_t vprint(const T* format, va_list ap);
    virtual std::size_t vprint(const TString<T>& format, va_list ap) {
        return vprintRun(format.data(), format.size(), ap);
    }

protected:
    // The engine under every print: collect, format, write, drop the
    // arguments (also when formatting or writing fails).
    virtual std::size_t vprintRun(const T* format, std::size_t n, va_list ap);

private:
    void collect(const T* format, std::size_t n, va_list ap);

    TString<T> text_;  // the formatted text, kept for its capacity
};

extern template class TextWriter<char>;
extern template class TextWriter<unsigned short>;
extern template class TextWriter<unsigned int>;

} // namespace CCC
