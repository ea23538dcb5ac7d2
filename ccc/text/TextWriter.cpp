#include "TextWriter.h"

#include "FmtDirective.h"

namespace CCC {

namespace {

// Ends a va_list also when the print throws.
struct VaEnd {
    va_list& ap;
    ~VaEnd() { va_end(ap); }
};

} // namespace

template <class T>
std::size_t TextWriter<T>::writeUnits(std::size_t n, const T* units, int flags) {
    (void)flags;
    std::size_t count = 0;
    this->writeDest(n, units, count);
    if (count) this->passed();
    return count;
}

template <class T>
std::size_t TextWriter<T>::writeZ(const T* s) {
    std::size_t n = 0;
    if (s)
        while (s[n] != T(0)) ++n;
    return writeUnits(n, s, 0);
}

template <class T>
std::size_t TextWriter<T>::printN(const T* format, std::size_t n, ...) {
    va_list ap;
    va_start(ap, n);
    VaEnd end{ap};
    return vprintN(format, n, ap);
}

template <class T>
std::size_t TextWriter<T>::print(const T* format, ...) {
    va_list ap;
    va_start(ap, format);
    VaEnd end{ap};
    return vprint(format, ap);
}

template <class T>
std::size_t TextWriter<T>::print(const TString<T>* format, ...) {
    va_list ap;
    va_start(ap, format);
    VaEnd end{ap};
    return format ? vprint(*format, ap) : vprintRun(nullptr, 0, ap);
}

template <class T>
std::size_t TextWriter<T>::vprint(const T* format, va_list ap) {
    std::size_t n = 0;
    if (format)
        while (format[n] != T(0)) ++n;
    return vprintRun(format, n, ap);
}

template <class T>
std::size_t TextWriter<T>::vprintRun(const T* format, std::size_t n, va_list ap) {
    struct Drop {
        Formatter<T>& f;
        ~Drop() { f.reset(); }
    } drop{*this};
    collect(format, n, ap);
    text_.clear();
    this->formatRun(format, n, text_);
    return writeUnits(text_.size(), text_.data(), 0);
}

// Takes one variable argument per '*' and per argument-taking directive, in
// the order they stand in the format, each as the type its conversion
// letter names. Malformed directives take nothing; formatting reports them.
template <class T>
void TextWriter<T>::collect(const T* f, std::size_t n, va_list ap) {
    const T* const end = f + n;
    while (f < end) {
        if (*f++ != T('%')) continue;
        FmtDirective<T> d;
        f = d.parse(f, end);
        if (d.widthStar) this->addInt(va_arg(ap, int));
        if (d.precisionStar) this->addInt(va_arg(ap, int));
        if (!d.complete) break;
        switch (d.unit) {
        case 'd':
        case 'i':
            if (d.isLong) this->addLong(va_arg(ap, long));
            else this->addInt(va_arg(ap, int));
            break;
        case 'c':
            this->addInt(va_arg(ap, int));
            break;
        case 'u':
            if (d.isLong) this->addULong(va_arg(ap, unsigned long));
            else this->addUInt(va_arg(ap, unsigned int));
            break;
        case 'o': case 'x': case 'X':
            this->addUInt(va_arg(ap, unsigned int));
            break;
        case 'e': case 'E': case 'f': case 'g': case 'G':
            this->addDouble(va_arg(ap, double));
            break;
        case 's':
            this->addZString(va_arg(ap, const T*));
            break;
        case 'n':
        case 'p':
            this->addPointer(va_arg(ap, const void*));
            break;
        default:  // '%' and unknown letters take nothing
            break;
        }
    }
}

template class TextWriter<char>;
template class TextWriter<unsigned short>;
template class TextWriter<unsigned int>;

} // namespace CCC
