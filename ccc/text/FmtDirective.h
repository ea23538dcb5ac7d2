#pragma once

#include <climits>
#include <type_traits>

namespace CCC {

// One directive of a format as written, without its arguments:
//   % [{n}] [flags -+ 0#] [width | *] [. precision | .*] [l] conversion
// The formatter and the text writer's argument walk read formats through
// this one parser, so they always agree on where arguments are taken.
template <class T>
struct FmtDirective {
    // A number above INT_MAX reads as kTooLarge.
    static constexpr long long kTooLarge = static_cast<long long>(INT_MAX) + 1;

    bool numbered = false;   // {n} was given
    bool badBraces = false;  // '{' not closed by '}' after its digits
    long long argNo = 0;
    bool left = false, plus = false, space = false, zero = false, alt = false;
    bool widthStar = false;
    long long width = 0;
    bool hasPrecision = false;
    bool precisionStar = false;
    long long precision = 0;
    bool isLong = false;
    bool complete = false;   // false: the format ended before the conversion unit
    unsigned long unit = 0;  // the conversion unit

    // Reads the directive whose '%' stands just before p; returns the
    // position after it (end when the format ends first).
    const T* parse(const T* p, const T* end) {
        if (p < end && *p == T('{')) {
            ++p;
            argNo = number(p, end);
            numbered = true;
            badBraces = p == end || *p != T('}');
            // Without its '}', skip to the next one, as the walk needs
            // some place to go on from; the formatter refuses it anyway.
            while (p < end && *p != T('}')) ++p;
            if (p < end) ++p;
        }
        for (;; ++p) {
            if (p == end) return p;
            if (*p == T('-')) left = true;
            else if (*p == T('+')) plus = true;
            else if (*p == T(' ')) space = true;
            else if (*p == T('0')) zero = true;
            else if (*p == T('#')) alt = true;
            else break;
        }
        if (*p == T('*')) {
            widthStar = true;
            ++p;
        } else {
            width = number(p, end);
        }
        if (p < end && *p == T('.')) {
            hasPrecision = true;
            ++p;
            if (p < end && *p == T('*')) {
                precisionStar = true;
                ++p;
            } else {
                precision = number(p, end);
            }
        }
        if (p < end && *p == T('l')) {
            isLong = true;
            ++p;
        }
        if (p == end) return p;
        complete = true;
        unit = static_cast<std::make_unsigned_t<T>>(*p);
        return p + 1;
    }

private:
    static long long number(const T*& p, const T* end) {
        long long v = 0;
        for (; p < end && *p >= T('0') && *p <= T('9'); ++p) {
            v = v * 10 + static_cast<long long>(*p - T('0'));
            if (v > kTooLarge) v = kTooLarge;
        }
        return v;
    }
};

} // namespace CCC
