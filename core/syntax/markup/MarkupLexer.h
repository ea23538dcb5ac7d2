#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "../Lexer.h"
#include "MarkGroups.h"
#include "MarkupTables.h"
#include "MarkupTokens.h"
#include "UnitTable.h"

namespace Orvane {

// The lexer of the markup family. A state machine keyed on the code of the
// last token picks the scanner for the next one: line-start marks, inline
// marks and text runs, or the literal texts after "=", "%", "^", "$", "_"
// (and "@" with macros). The members differ only in their tables.
class MarkupLexer : public Lexer {
public:
    Token* nextToken() final;

    const MarkupTables& getTables() const { return tables_; }

protected:
    explicit MarkupLexer(const MarkupTables& tables);

    // Takes the inline marks and specials in use and rebuilds the lookups.
    void useMarks(std::vector<Mark> marks, std::u16string specials);

private:
    Token* scanLineStart();
    Token* scanInline();
    // The token of the inline mark of code and n units at position.
    Token* inlineMark(int code, unsigned n);
    Token* scanTextRun();
    Token* scanToMark(const std::u16string* closing);
    Token* scanUnderscore();
    Token* scanRestOfLine();
    // The first mark of [first, last) that matches, passed over; else null.
    Token* matchMark(const Mark* first, const Mark* last);
    // The length of a mark of the group of the unit at position (so its
    // first unit is known to be there) when the rest follows, else 0.
    unsigned matchGrouped(const char16_t* s) const { return matchUnits(s, 1); }

    // Collects up to an unescaped stop character (not consumed) under the
    // escape rule, dropping control characters but TAB (unless !keepTab)
    // and LF (when keepLF). Without keepLF it stops at a line end as well.
    DString* collect(const std::u16string& stops, bool keepLF, bool keepTab = true);

    // The escape rule: a character is taken literally when the one before
    // it is an escape character; an escape character itself goes into the
    // text only when so escaped.
    bool escapeP(unsigned short c) const { return escapeBits_[c]; }
    bool escapedAt(std::uint32_t i) const { return i > 0 && escapeP(source[i - 1]); }
    // LF, or CR followed by LF; a CR alone is dropped like any control character.
    bool lineEndAt(std::uint32_t i) const {
        return source[i] == u'\n' || (source[i] == u'\r' && i + 1 < length && source[i + 1] == u'\n');
    }
    static bool blankP(const unsigned short* units, std::size_t n);
    static bool inP(unsigned short c, const std::u16string& set) {
        return set.find(static_cast<char16_t>(c)) != std::u16string::npos;
    }

    std::vector<Mark> marks;
    std::u16string specials;

    const MarkupTables& tables_;
    // Quick membership tests for the hot loops.
    std::bitset<65536> escapeBits_;
    // What a text run must look at in a unit: a special, an escape, a unit
    // it drops (control characters). Most units are none of these, nor the
    // first unit of an inline mark, which lets a token start with a text
    // run without looking for its marks.
    enum : std::uint8_t { kSpecialUnit = 1, kEscapeUnit = 2, kDroppedUnit = 4, kMarkStartUnit = 8 };
    UnitTable unitClass_;
    // For a unit that is a whole inline mark and starts no other: its code
    // + 1 (else 0), so that the mark is known from the unit alone.
    UnitTable soleMarks_;
    // The line-start marks and `marks`, by first unit.
    MarkGroups lineStartMarks_;
    MarkGroups inlineMarks_;
};

} // namespace Orvane
