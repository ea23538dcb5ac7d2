#pragma once

#include <cstddef>

#include "TextRef.h"
#include "ccc/base/TString.h"

namespace Orvane {

// Escapes for the places where the writer puts caller text. Each appends
// to dest (a DString, or the writer's UnitBuffer), so the body grows
// without temporary strings, and each puts
// U+FFFD in place of a code point XML does not allow (a C0 control other
// than TAB and LF, a lone surrogate, U+FFFE, U+FFFF); surrogate pairs pass.
class Escaping {
public:
    using DString = CCC::TString<unsigned short>;

    // Element text: & < > become entity references; quotes stay.
    template <class Dest> static void appendText(Dest& dest, const unsigned short* src, std::size_t length);
    // Attribute values in double quotes: " < and & are escaped, but an &
    // that already starts a character or entity reference is kept.
    template <class Dest> static void appendAttribute(Dest& dest, const unsigned short* src, std::size_t length);
    // Comment text: a blank goes between two adjacent hyphens so that no
    // "--" ends the comment early.
    template <class Dest> static void appendComment(Dest& dest, const unsigned short* src, std::size_t length);
    // Raw markup: copied as it is, only the forbidden code points replaced.
    template <class Dest> static void appendRaw(Dest& dest, const unsigned short* src, std::size_t length);

    // The same for a text or none (nothing is appended).
    template <class Dest> static void appendText(Dest& dest, TextRef src) {
        if (src) appendText(dest, src->data(), src->size());
    }
    template <class Dest> static void appendAttribute(Dest& dest, TextRef src) {
        if (src) appendAttribute(dest, src->data(), src->size());
    }
    template <class Dest> static void appendComment(Dest& dest, TextRef src) {
        if (src) appendComment(dest, src->data(), src->size());
    }
    template <class Dest> static void appendRaw(Dest& dest, TextRef src) {
        if (src) appendRaw(dest, src->data(), src->size());
    }

    // Length of the character or entity reference at src[0] ('&'), or 0
    // when the text there is not one.
    static std::size_t referenceLength(const unsigned short* src, std::size_t length);
};

} // namespace Orvane
