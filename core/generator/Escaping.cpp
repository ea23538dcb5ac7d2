#include "Escaping.h"

#include "ccc/base/UnitRuns.h"
#include "core/model/UnitBuffer.h"

namespace Orvane {

namespace {

using Unit = unsigned short;

template <class Dest, std::size_t N>
void appendAscii(Dest& dest, const char (&literal)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) dest.push_back(static_cast<Unit>(literal[i]));
}

bool asciiLetter(Unit u) { return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'); }
bool decimalDigit(Unit u) { return u >= '0' && u <= '9'; }
bool hexDigit(Unit u) { return decimalDigit(u) || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f'); }
int hexValue(Unit u) { return decimalDigit(u) ? u - '0' : (u | 0x20) - 'a' + 10; }
bool nameStart(Unit u) { return asciiLetter(u) || u == '_' || u == ':'; }
bool nameChar(Unit u) { return nameStart(u) || decimalDigit(u) || u == '-' || u == '.'; }

// A character reference is only kept when it names a character XML allows.
bool xmlCharP(unsigned long c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

constexpr Unit kReplacement = 0xFFFD;

// Units XML 1.0 cannot carry as they are: C0 controls but TAB and LF (a CR
// of the source too: the output stage makes the line ends), surrogates
// (only a high one followed by a low one is a character), U+FFFE, U+FFFF.
bool suspectP(Unit u) {
    return (u < 0x20 && u != '\t' && u != '\n') || static_cast<Unit>(u - 0xD800) < 0x800 || u >= 0xFFFE;
}
bool highSurrogateP(Unit u) { return u >= 0xD800 && u <= 0xDBFF; }
bool lowSurrogateP(Unit u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Copies the runs between the units that need a replacement in one append
// each; a unit XML forbids becomes U+FFFD, a markup unit goes to
// replace(i), which appends its replacement for src[i] and returns how many
// units it consumed, or 0 to copy the unit as it is. Surrogate pairs stay
// inside the run. Every markup unit is ASCII below "@", so the letters,
// kana and kanji that make up most text pass sixteen at a time.
template <class Dest, class MarkupP, class Replace>
void transform(Dest& dest, const Unit* src, std::size_t length, MarkupP markupP, Replace replace) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < length;) {
        i += CCC::countWhile(src + i, length - i, [](Unit u) { return static_cast<Unit>(u - u'@') < 0xD800 - u'@'; });
        if (i == length) break;
        const Unit u = src[i];
        const bool markup = markupP(u);
        if (!markup) {
            if (!suspectP(u)) {
                ++i;
                continue;
            }
            if (highSurrogateP(u) && i + 1 < length && lowSurrogateP(src[i + 1])) {
                i += 2;
                continue;
            }
        }
        dest.append(src + run, i - run);
        std::size_t used = 1;
        if (!markup) dest.push_back(kReplacement);
        else if ((used = replace(i)) == 0) {
            dest.push_back(u);
            used = 1;
        }
        i += used;
        run = i;
    }
    dest.append(src + run, length - run);
}

} // namespace

std::size_t Escaping::referenceLength(const Unit* src, std::size_t length) {
    if (length < 3 || src[0] != '&') return 0;
    std::size_t i = 1;
    if (src[i] == '#') {
        ++i;
        const bool hex = i < length && (src[i] == 'x');
        if (hex) ++i;
        const std::size_t digitsStart = i;
        unsigned long value = 0;
        while (i < length && (hex ? hexDigit(src[i]) : decimalDigit(src[i]))) {
            value = hex ? value * 16 + hexValue(src[i]) : value * 10 + (src[i] - '0');
            if (value > 0x10FFFF) return 0;
            ++i;
        }
        if (i == digitsStart || i >= length || src[i] != ';' || !xmlCharP(value)) return 0;
        return i + 1;
    }
    if (!nameStart(src[i])) return 0;
    while (i < length && nameChar(src[i])) ++i;
    if (i >= length || src[i] != ';') return 0;
    return i + 1;
}

template <class Dest>
void Escaping::appendText(Dest& dest, const Unit* src, std::size_t length) {
    transform(
        dest, src, length, [](Unit u) { return u == '&' || u == '<' || u == '>'; },
        [&](std::size_t i) -> std::size_t {
            switch (src[i]) {
            case '&': appendAscii(dest, "&amp;"); break;
            case '<': appendAscii(dest, "&lt;"); break;
            default: appendAscii(dest, "&gt;"); break;
            }
            return 1;
        });
}

template <class Dest>
void Escaping::appendAttribute(Dest& dest, const Unit* src, std::size_t length) {
    transform(
        dest, src, length, [](Unit u) { return u == '&' || u == '<' || u == '"'; },
        [&](std::size_t i) -> std::size_t {
            switch (src[i]) {
            case '&': {
                const std::size_t reference = referenceLength(src + i, length - i);
                if (reference) {
                    dest.append(src + i, reference);
                    return reference;
                }
                appendAscii(dest, "&amp;");
                break;
            }
            case '<': appendAscii(dest, "&lt;"); break;
            default: appendAscii(dest, "&quot;"); break;
            }
            return 1;
        });
}

template <class Dest>
void Escaping::appendRaw(Dest& dest, const Unit* src, std::size_t length) {
    transform(dest, src, length, [](Unit) { return false; }, [](std::size_t) -> std::size_t { return 0; });
}

template <class Dest>
void Escaping::appendComment(Dest& dest, const Unit* src, std::size_t length) {
    transform(
        dest, src, length, [](Unit u) { return u == '-'; },
        [&](std::size_t i) -> std::size_t {
            dest.push_back('-');
            if (i + 1 < length && src[i + 1] == '-') dest.push_back(' ');
            return 1;
        });
}

// The two kinds of destination.
#define QM_ESCAPING_FOR(Dest)                                                                                 \
    template void Escaping::appendText(Dest&, const Unit*, std::size_t);                                      \
    template void Escaping::appendAttribute(Dest&, const Unit*, std::size_t);                                 \
    template void Escaping::appendComment(Dest&, const Unit*, std::size_t);                                   \
    template void Escaping::appendRaw(Dest&, const Unit*, std::size_t);
QM_ESCAPING_FOR(Escaping::DString)
QM_ESCAPING_FOR(UnitBuffer)
#undef QM_ESCAPING_FOR

} // namespace Orvane
