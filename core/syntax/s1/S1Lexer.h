#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "../Lexer.h"

namespace Orvane {

// A mark the lexer recognises: its text (zero-terminated UTF-16) and the
// token code it gives.
struct S1Mark {
    const char16_t* text;
    int code;
};

// The lexer of the markup with macros. Like the span-aware lexer it picks
// the scanner for the next token by the code of the last one (line-start
// marks, inline marks and text runs, or the literal texts after "=", "%",
// "^", "$", "_" and "@"), accepts both forms of every mark and knows no
// sentence ends.
class S1Lexer : public Lexer {
public:
    Token* nextToken() override;

    int getState() const { return state; }

    // Order matters in each list: the first match wins.
    static const std::vector<S1Mark>& lineStartMarks();
    static const std::vector<S1Mark>& inlineMarks();
    // The characters that end a plain-text run.
    static const std::u16string& specials();

private:
    Token* scanLineStart();
    Token* scanInline();
    Token* scanTextRun();
    Token* scanToMark(bool percent);
    Token* scanUnderscore();
    Token* scanRestOfLine();

    // Collects up to an unescaped stop character (not consumed) under the
    // escape rule, dropping control characters but TAB (unless !keepTab)
    // and LF (when keepLF). Without keepLF it stops at a line end as well.
    DString* collect(const char16_t* stops, bool keepLF, bool keepTab = true);

    bool escapedAt(std::uint32_t i) const;
    // LF, or CR followed by LF; a CR alone is dropped like any control character.
    bool lineEndAt(std::uint32_t i) const {
        return source[i] == u'\n' || (source[i] == u'\r' && i + 1 < length && source[i + 1] == u'\n');
    }

    int state = 1;
    int prevState = 1;
};

} // namespace Orvane
