#include <array>

#include "app/services/EscapeTables.h"

namespace tolvanw32 {

namespace {

// Syntaxes 2 and 3 read the backslash as an escape. Syntax 4's lexer takes
// only the full-width forms, so it gets the full-width reverse solidus.
constexpr EscapeMark kBackslash{"\x5C", u"\u005C"};
constexpr EscapeMark kFullWidthBackslash{"\x81\x5F", u"\uFF3C"};

// Half-width marks then full-width marks: syntax 2's table is both runs.
constexpr std::array<EscapeMark, 39> kMarks{{
    {"\x3D", u"\u003D"}, {"\x26", u"\u0026"}, {"\x7E", u"\u007E"}, {"\x2A", u"\u002A"},
    {"\x25", u"\u0025"}, {"\x23", u"\u0023"}, {"\x5E", u"\u005E"}, {"\x2B", u"\u002B"},
    {"\x2D", u"\u002D"}, {"\x7C", u"\u007C"}, {"\x21", u"\u0021"}, {"\x3B", u"\u003B"},
    {"\x24", u"\u0024"}, {"\x5F", u"\u005F"}, {"\x60", u"\u0060"}, {"\x5C", u"\u005C"},

    {"\x81\x81", u"\uFF1D"}, {"\x81\x95", u"\uFF06"}, {"\x81\x60", u"\uFF5E"}, {"\x81\x96", u"\uFF0A"},
    {"\x81\xA1", u"\u25A0"}, {"\x81\xA0", u"\u25A1"}, {"\x81\x9F", u"\u25C6"}, {"\x81\x9E", u"\u25C7"},
    {"\x81\x9C", u"\u25CF"}, {"\x81\x9B", u"\u25CB"}, {"\x81\xA3", u"\u25B2"}, {"\x81\x93", u"\uFF05"},
    {"\x81\x94", u"\uFF03"}, {"\x81\x4F", u"\uFF3E"}, {"\x81\x7B", u"\uFF0B"}, {"\x81\x7C", u"\uFF0D"},
    {"\x81\x62", u"\uFF5C"}, {"\x81\x49", u"\uFF01"}, {"\x81\x47", u"\uFF1B"}, {"\x81\x90", u"\uFF04"},
    {"\x81\x8F", u"\uFFE5"}, {"\x81\x51", u"\uFF3F"}, {"\x81\x4D", u"\uFF40"},
}};

constexpr std::size_t kHalfCount = 16;
constexpr std::size_t kFullCount = 23;

const std::span<const EscapeMark> kAll(kMarks);

const std::array<EscapeTable, 3> kTables{{
    {2, kAll, kBackslash},
    {3, kAll.first(kHalfCount), kBackslash},
    {4, kAll.subspan(kHalfCount, kFullCount), kFullWidthBackslash},
}};

} // namespace

const EscapeTable* escapeTableFor(int syntax) {
    for (const EscapeTable& t : kTables)
        if (t.syntax == syntax) return &t;
    return nullptr;
}

std::span<const EscapeMark> halfWidthMarks() { return kAll.first(kHalfCount); }
std::span<const EscapeMark> fullWidthMarks() { return kAll.subspan(kHalfCount, kFullCount); }

} // namespace tolvanw32
