#pragma once

namespace Orvane {

// Terminal codes of syntaxes 2, 3 and 4: the lexer's token codes and the
// grammar's terminal numbers.
enum S2TokenCode {
    kS2End = 0,
    kS2NL = 1,
    kS2EQ = 2,
    kS2STRING = 3,
    kS2AMP = 4,
    kS2ASTER = 5,
    kS2BLACK_SQUARE = 6,
    kS2WHITE_SQUARE = 7,
    kS2BLACK_DIAMOND = 8,
    kS2WHITE_DIAMOND = 9,
    kS2BLACK_CIRCLE = 10,
    kS2WHITE_CIRCLE = 11,
    kS2PLUS = 12,
    kS2MINUS = 13,
    kS2EXCL = 14,
    kS2BAR = 15,
    kS2TILDE = 16,
    kS2BACKQUOTE = 17,
    kS2SEMI = 18,
    kS2PERCENT = 19,
    kS2SHARP = 20,
    kS2CARET = 21,
    kS2DOLLAR = 22,
    kS2RAW_TEXT = 23,
    kS2UNDER = 24,
    kS2COMMENT_TEXT = 25,
    kS2LINE_COMMENT_TEXT = 26,
    kS2STOP = 27,
    kS2STOP_CLOSE = 28,
    kS2CLOSE = 29,
    kS2SPAN_BREAK = 30,
    kS2Error = 31,
};

} // namespace Orvane
