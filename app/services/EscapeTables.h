#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace tolvanw32 {

// One mark character of a syntax, in its Windows Shift_JIS bytes and its
// UTF-16 units (what cp932 decoding gives for those bytes).
struct EscapeMark {
    std::string_view sjis;
    std::u16string_view utf16;
};

// The marks that escaping protects in one syntax, in table order, and the
// escape character written in front of each.
struct EscapeTable {
    int syntax;
    std::span<const EscapeMark> marks;
    EscapeMark escape;
};

// The table of syntax 2, 3 or 4; nullptr for any other syntax.
const EscapeTable* escapeTableFor(int syntax);

// The 16 half-width marks and the 23 full-width marks.
std::span<const EscapeMark> halfWidthMarks();
std::span<const EscapeMark> fullWidthMarks();

// Shift_JIS lead byte: 0x81-0x9F and 0xE0-0xEF start a two-byte character.
constexpr bool sjisLeadByteP(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }

} // namespace tolvanw32
