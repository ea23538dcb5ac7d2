#pragma once

namespace Orvane {

// Terminal codes of the markup with macros: the lexer's token codes and the
// grammar's terminal numbers. 0 to 26 are those of the span-aware markup.
enum S1TokenCode {
    kS1End = 0,
    kS1NL = 1,
    kS1EQ = 2,
    kS1STRING = 3,
    kS1AMP = 4,
    kS1ASTER = 5,
    kS1BLACK_SQUARE = 6,
    kS1WHITE_SQUARE = 7,
    kS1BLACK_DIAMOND = 8,
    kS1WHITE_DIAMOND = 9,
    kS1BLACK_CIRCLE = 10,
    kS1WHITE_CIRCLE = 11,
    kS1PLUS = 12,
    kS1MINUS = 13,
    kS1EXCL = 14,
    kS1BAR = 15,
    kS1TILDE = 16,
    kS1BACKQUOTE = 17,
    kS1SEMI = 18,
    kS1PERCENT = 19,
    kS1SHARP = 20,
    kS1CARET = 21,
    kS1DOLLAR = 22,
    kS1RAW_TEXT = 23,
    kS1UNDER = 24,
    kS1COMMENT_TEXT = 25,
    kS1LINE_COMMENT_TEXT = 26,
    kS1AT = 27,
    kS1MACRO_TEXT = 28,
    kS1Error = 29,
};

} // namespace Orvane
