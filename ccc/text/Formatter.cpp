#include "Formatter.h"

#include "FmtDirective.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>

namespace CCC {

namespace {

constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\text\\Formatter.cpp";

// The parsed middle of one directive.
struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alt = false;
    bool isLong = false;
    int width = 0;
    int precision = -1;  // -1: none given
};

// A width or precision printf can take; larger ones cannot be rendered.
int sizeOf(long long v) {
    if (v > INT_MAX) CCC_THROW_FMT(FmtException::kBadConversion);
    return static_cast<int>(v);
}

template <class T>
const FmtArg<T>& argumentAt(const std::vector<FmtArg<T>>& args, std::size_t no) {
    if (no == 0 || no > args.size()) CCC_THROW_FMT(FmtException::kNoArgument);
    return args[no - 1];
}

// The value of a '*': an int argument.
template <class T>
int starValue(const std::vector<FmtArg<T>>& args, std::size_t no) {
    const FmtArg<T>& a = argumentAt(args, no);
    if (a.kind() != FmtArg<T>::kInt) CCC_THROW_FMT(FmtException::kBadKind);
    return static_cast<int>(a.asLong());
}

bool isConversion(char c) {
    switch (c) {
    case 'c': case 'd': case 'i': case 'e': case 'E': case 'f': case 'g': case 'G':
    case 'n': case 'o': case 'p': case 's': case 'u': case 'x': case 'X':
        return true;
    default:
        return false;
    }
}

// Which argument kinds each conversion takes. 'l' selects the long kinds of
// d, i and u and has no effect on the other conversions.
bool accepts(char conv, bool isLong, int kind) {
    switch (conv) {
    case 'c': return kind >= 1 && kind <= 6;
    case 'd': case 'i': return kind == (isLong ? 7 : 5);
    case 'u': return kind == (isLong ? 8 : 6);
    case 'o': case 'x': case 'X': return kind == 6;
    case 'e': case 'E': case 'f': case 'g': case 'G': return kind == 11 || kind == 12;
    case 's': return kind == 9 || kind == 10;
    case 'p': return kind == 9 || kind == 10 || kind == 13;
    case 'n': return kind == 13;
    default: return false;
    }
}

template <class T>
void appendNarrow(TString<T>& out, const char* s, std::size_t n) {
    if constexpr (sizeof(T) == 1) {
        out.append(s, n);
    } else {
        const std::size_t at = out.size();
        out.resize(at + n);
        T* d = out.data() + at;
        for (std::size_t i = 0; i < n; ++i) d[i] = static_cast<T>(static_cast<unsigned char>(s[i]));
    }
}

// Numeric text comes from snprintf so that it is the conventional printf
// text. Only flags with defined meaning for the conversion are passed on;
// width and precision travel as '*' arguments.
template <class V>
int printC(char* buf, std::size_t size, const char* cfmt, const Spec& sp, bool withPrecision, V v) {
    return withPrecision ? std::snprintf(buf, size, cfmt, sp.width, sp.precision, v)
                         : std::snprintf(buf, size, cfmt, sp.width, v);
}

template <class T, class V>
void appendPrintf(TString<T>& out, const Spec& sp, char conv, const char* allowedFlags,
                  bool usePrecision, V v) {
    char cfmt[16];
    std::size_t k = 0;
    cfmt[k++] = '%';
    const bool flags[] = {sp.left, sp.plus, sp.space, sp.zero, sp.alt};
    const char names[] = {'-', '+', ' ', '0', '#'};
    for (int i = 0; i < 5; ++i) {
        if (!flags[i]) continue;
        for (const char* a = allowedFlags; *a; ++a)
            if (*a == names[i]) cfmt[k++] = names[i];
    }
    cfmt[k++] = '*';
    const bool withPrecision = usePrecision && sp.precision >= 0;
    if (withPrecision) {
        cfmt[k++] = '.';
        cfmt[k++] = '*';
    }
    if constexpr (std::is_same_v<V, long> || std::is_same_v<V, unsigned long>) cfmt[k++] = 'l';
    cfmt[k++] = conv;
    cfmt[k] = '\0';

    char small[128];
    const int n = printC(small, sizeof small, cfmt, sp, withPrecision, v);
    if (n < 0) CCC_THROW_FMT(FmtException::kBadConversion);  // width beyond what printf renders
    if (static_cast<std::size_t>(n) < sizeof small) {
        appendNarrow(out, small, static_cast<std::size_t>(n));
    } else {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        printC(big.data(), big.size(), cfmt, sp, withPrecision, v);
        appendNarrow(out, big.data(), static_cast<std::size_t>(n));
    }
}

// s and c: units padded to the width, with spaces (zeros under '0').
template <class T>
void appendPadded(TString<T>& out, const T* s, std::size_t len, const Spec& sp) {
    const std::size_t width = static_cast<std::size_t>(sp.width);
    const std::size_t pad = width > len ? width - len : 0;
    if (pad && !sp.left) out.append(pad, static_cast<T>(sp.zero ? '0' : ' '));
    out.append(s, len);
    if (pad && sp.left) out.append(pad, static_cast<T>(' '));
}

// The unit a 'c' writes: the value taken through its own unsigned type,
// so that a negative char becomes its byte value, not a sign-extended unit.
template <class T>
T charUnit(const FmtArg<T>& a) {
    switch (a.kind()) {
    case FmtArg<T>::kChar: return static_cast<T>(static_cast<unsigned char>(a.asLong()));
    case FmtArg<T>::kShort: return static_cast<T>(static_cast<unsigned short>(a.asLong()));
    case FmtArg<T>::kInt: return static_cast<T>(static_cast<unsigned int>(a.asLong()));
    default: return static_cast<T>(a.asULong());
    }
}

template <class T>
void convert(TString<T>& out, const FmtArg<T>& a, char conv, const Spec& sp) {
    using Arg = FmtArg<T>;
    switch (conv) {
    case 'c': {
        const T u = charUnit(a);
        appendPadded(out, &u, 1, sp);
        break;
    }
    case 'd':
    case 'i':
        if (sp.isLong) appendPrintf(out, sp, conv, "-+ 0", true, a.asLong());
        else appendPrintf(out, sp, conv, "-+ 0", true, static_cast<int>(a.asLong()));
        break;
    case 'u':
        if (sp.isLong) appendPrintf(out, sp, conv, "-+ 0", true, a.asULong());
        else appendPrintf(out, sp, conv, "-+ 0", true, static_cast<unsigned int>(a.asULong()));
        break;
    case 'o': case 'x': case 'X':
        appendPrintf(out, sp, conv, "-+ 0#", true, static_cast<unsigned int>(a.asULong()));
        break;
    case 'e': case 'E': case 'f': case 'g': case 'G':
        appendPrintf(out, sp, conv, "-+ 0#", true, a.asDouble());
        break;
    case 's': {
        static constexpr T kNull[] = {T('('), T('n'), T('u'), T('l'), T('l'), T(')')};
        const std::size_t limit = sp.precision < 0 ? SIZE_MAX : static_cast<std::size_t>(sp.precision);
        const T* s;
        std::size_t len;
        if (a.kind() == Arg::kString) {
            s = a.asString().data();
            len = std::min(a.asString().size(), limit);
        } else if (a.asZString() == nullptr) {
            s = kNull;
            len = std::min(sizeof kNull / sizeof kNull[0], limit);
        } else {
            // Never reads past the precision, so a counted run needs no terminator.
            s = a.asZString();
            for (len = 0; len < limit && s[len] != T(0);) ++len;
        }
        appendPadded(out, s, len, sp);
        break;
    }
    case 'p': {
        const void* p = a.kind() == Arg::kPointer ? a.asPointer() : a.textData();
        appendPrintf(out, sp, 'p', "-", false, p);
        break;
    }
    default:  // 'n': the argument is checked and consumed; nothing is written
        break;
    }
}

} // namespace

template <class T>
Formatter<T>::Formatter(const T* format) {
    if (format) format_ = format;
}

template <class T>
void Formatter<T>::formatRun(const T* f, std::size_t n, TString<T>& out) const {
    const T* const end = f + n;
    std::size_t running = 1;
    while (f < end) {
        const T* pct = f;
        while (pct < end && *pct != T('%')) ++pct;
        if (pct != f) out.append(f, static_cast<std::size_t>(pct - f));
        if (pct == end) break;

        FmtDirective<T> d;
        f = d.parse(pct + 1, end);
        if (d.badBraces) CCC_THROW_FMT(FmtException::kBadConversion);

        Spec sp;
        sp.left = d.left;
        sp.plus = d.plus;
        sp.space = d.space;
        sp.zero = d.zero;
        sp.alt = d.alt;
        sp.isLong = d.isLong;
        if (d.widthStar) {
            const int w = starValue(args_, running++);
            if (w < 0) {  // a negative width means left-justified
                sp.left = true;
                sp.width = w == INT_MIN ? INT_MAX : -w;
            } else {
                sp.width = w;
            }
        } else {
            sp.width = sizeOf(d.width);
        }
        if (d.precisionStar) {
            const int p = starValue(args_, running++);
            sp.precision = p < 0 ? -1 : p;  // negative: as if none were given
        } else if (d.hasPrecision) {
            sp.precision = sizeOf(d.precision);
        }

        if (!d.complete || d.unit > 126) CCC_THROW_FMT(FmtException::kBadConversion);
        const char conv = static_cast<char>(d.unit);
        if (conv == '%') {
            out.push_back(T('%'));
            continue;
        }
        if (!isConversion(conv)) CCC_THROW_FMT(FmtException::kBadConversion);

        const std::size_t argNo = d.numbered ? static_cast<std::size_t>(d.argNo) : running;
        const FmtArg<T>& a = argumentAt(args_, argNo);
        ++running;
        if (!accepts(conv, sp.isLong, a.kind())) CCC_THROW_FMT(FmtException::kBadKind);
        convert(out, a, conv, sp);
    }
}

template <class T>
bool Formatter<T>::refersTo(const TString<T>& dest) const {
    const std::less<const T*> before;
    const T* lo = dest.data();
    const T* hi = lo + dest.capacity() + 1;
    for (const Arg& a : args_) {
        if (a.kind() != Arg::kZString && a.kind() != Arg::kString) continue;
        if (a.kind() == Arg::kString && &a.asString() == &dest) return true;
        const T* p = a.textData();
        if (p && !before(p, lo) && before(p, hi)) return true;
    }
    return false;
}

template <class T>
std::unique_ptr<TString<T>> Formatter<T>::format() const {
    auto result = std::make_unique<TString<T>>();
    formatRun(format_.data(), format_.size(), *result);
    return result;
}

template <class T>
void Formatter<T>::format(TString<T>& dest) const {
    // Format behind the old text and cut that off afterwards: a failure
    // leaves dest untouched, and no second buffer is needed.
    const std::size_t old = dest.size();
    formatAppend(dest);
    dest.erase(0, old);
}

template <class T>
void Formatter<T>::formatAppend(TString<T>& dest) const {
    if (refersTo(dest)) {
        // Growing dest could move the text an argument points into.
        TString<T> result;
        formatRun(format_.data(), format_.size(), result);
        dest.append(result);
        return;
    }
    const std::size_t old = dest.size();
    try {
        formatRun(format_.data(), format_.size(), dest);
    } catch (...) {
        dest.resize(old);
        throw;
    }
}

template class Formatter<char>;
template class Formatter<unsigned short>;
template class Formatter<unsigned int>;

} // namespace CCC
