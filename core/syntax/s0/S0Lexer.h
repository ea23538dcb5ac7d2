#pragma once

#include "../Lexer.h"

namespace Orvane {

// Terminal codes of the trace grammar: the lexer's token codes and the
// grammar's terminal numbers.
enum S0TokenCode {
    kS0End = 0,
    kS0NL = 1,
    kS0ASTER = 2,
    kS0EQ = 3,
    kS0STRING = 4,
    kS0SHARP = 5,
    kS0AMP = 6,
    kS0Error = 7,
};

// The terminals' names by code, as the grammar and the token dump spell
// them.
inline constexpr const char* kS0TokenNames[] = {"$", "NL", "ASTER", "EQ", "STRING", "SHARP", "AMP"};

// The lexer's state is the code of the last token: after a line end it
// stands at the start of a line.
inline constexpr int kS0LineStart = kS0NL;

// The small lexer of the trace grammar: half-width marks only, LF as the
// only line end. It adds no line end at the end of the text, and its state
// survives into the next text, so a text that ended mid-line starts the
// next one mid-line too.
class S0Lexer : public Lexer {
public:
    S0Lexer() { state = prevState = kS0LineStart; }

    Token* nextToken() override;

private:
    Token* scanInline();
};

} // namespace Orvane
