#pragma once

#include <cstddef>

#include "TextRef.h"
#include "ccc/base/TString.h"

namespace Orvane {

// Escapes for the places where the writer puts caller text. Each appends
// to dest, so the body grows without temporary strings, and each puts
// U+FFFD in place of a code point XML does not allow (a C0 control other
// than TAB and LF, a lone surrogate, U+FFFE, U+FFFF); surrogate pairs pass.
class Escaping {
public:
    using DString = CCC::TString<unsigned short>;

    // Element text: & < > become entity references; quotes stay.
    static void appendText(DString& dest, const unsigned short* src, std::size_t length);
    // Attribute values in double quotes: " < and & are escaped, but an &
    // that already starts a character or entity reference is kept.
    static void appendAttribute(DString& dest, const unsigned short* src, std::size_t length);
    // Comment text: a blank goes between two adjacent hyphens so that no
    // "--" ends the comment early.
    static void appendComment(DString& dest, const unsigned short* src, std::size_t length);
    // Raw markup: copied as it is, only the forbidden code points replaced.
    static void appendRaw(DString& dest, const unsigned short* src, std::size_t length);

    // The same for a text or none (nothing is appended).
    static void appendText(DString& dest, TextRef src) {
        if (src) appendText(dest, src->data(), src->size());
    }
    static void appendAttribute(DString& dest, TextRef src) {
        if (src) appendAttribute(dest, src->data(), src->size());
    }
    static void appendComment(DString& dest, TextRef src) {
        if (src) appendComment(dest, src->data(), src->size());
    }
    static void appendRaw(DString& dest, TextRef src) {
        if (src) appendRaw(dest, src->data(), src->size());
    }

    // Length of the character or entity reference at src[0] ('&'), or 0
    // when the text there is not one.
    static std::size_t referenceLength(const unsigned short* src, std::size_t length);
};

} // namespace Orvane
