#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "../Lexer.h"
#include "S2LexerTables.h"

namespace Orvane {

// The lexer of the span-aware markup. A state machine keyed on the code of
// the last token picks the scanner for the next one: line-start marks,
// inline marks and text runs, or the literal texts after "=", "%", "^",
// "$" and "_". Syntax 2 accepts both forms of every mark; S3Lexer and
// S4Lexer differ only in their tables.
class S2Lexer : public Lexer {
public:
    S2Lexer() : S2Lexer(S2LexerTables::forSyntax(2)) {}

    Token* nextToken() override;

    // Which punctuation besides "。" ends a span: "、", "." and ",".
    void setSpanOptions(bool ten, bool period, bool comma);
    bool spanTenP() const { return spanTen; }
    bool spanPeriodP() const { return spanPeriod; }
    bool spanCommaP() const { return spanComma; }

    int getState() const { return state; }
    const std::vector<S2Mark>& getMarks() const { return marks; }
    const std::u16string& getSpecials() const { return specials; }
    const S2LexerTables& getTables() const { return tables_; }

protected:
    explicit S2Lexer(const S2LexerTables& tables);

private:
    Token* scanLineStart();
    Token* scanInline();
    Token* scanTextRun();
    Token* scanToMark(const std::u16string* closing);
    Token* scanCaret();
    Token* scanDollar();
    Token* scanUnderscore();
    Token* scanRestOfLine();

    // Collects up to an unescaped stop character (not consumed) under the
    // escape rule, dropping control characters but TAB (and LF when keepLF).
    // At a line end it stops unless keepLF.
    DString* collect(const std::u16string& stops, bool keepLF);

    bool escapeP(unsigned short c) const { return escapeBits_[c]; }
    bool escapedAt(std::uint32_t i) const { return i > 0 && escapeP(source[i - 1]); }
    // LF, or CR followed by LF; a CR alone is dropped like any control character.
    bool lineEndAt(std::uint32_t i) const {
        return source[i] == u'\n' ||
               (source[i] == u'\r' && i + 1 < length && source[i + 1] == u'\n');
    }
    static bool blankP(const DString& text);
    static bool inP(unsigned short c, const std::u16string& set) {
        return set.find(static_cast<char16_t>(c)) != std::u16string::npos;
    }

    int state = 1;
    int prevState = 1;
    bool spanTen = false;
    bool spanPeriod = false;
    bool spanComma = false;
    std::vector<S2Mark> marks;
    std::u16string specials;

    const S2LexerTables& tables_;
    // Quick membership tests for the hot loops.
    std::bitset<65536> specialBits_;
    std::bitset<65536> escapeBits_;
    std::bitset<65536> lineStartBits_;  // first units of the line-start marks
    // What a text run must look at in a unit: a special, an escape, a unit
    // it drops (control characters). Most units are none of these.
    enum : std::uint8_t { kSpecialUnit = 1, kEscapeUnit = 2, kDroppedUnit = 4 };
    std::vector<std::uint8_t> unitClass_;
    // The marks by their first unit, each group in the order of `marks` so
    // that the first match still wins: markGroup_[c] is 0 when no mark
    // starts with c, else g + 1 for the marks groupMarks_[groupStart_[g],
    // groupStart_[g + 1]). Rebuilt with `marks`.
    std::vector<std::uint8_t> markGroup_;
    std::vector<std::uint16_t> groupStart_;
    std::vector<S2Mark> groupMarks_;
};

class S3Lexer : public S2Lexer {
public:
    S3Lexer() : S2Lexer(S2LexerTables::forSyntax(3)) {}
};

class S4Lexer : public S2Lexer {
public:
    S4Lexer() : S2Lexer(S2LexerTables::forSyntax(4)) {}
};

} // namespace Orvane
