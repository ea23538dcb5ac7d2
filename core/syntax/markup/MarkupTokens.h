#pragma once

#include <iterator>
#include <string>
#include <vector>

namespace Orvane::markup {

// Terminal codes of the markup family: the lexer's token codes and the
// grammars' terminal numbers. 0 to 26 are common to syntax 1 and
// syntaxes 2 to 4; from 27 on each family has its own.
enum TokenCode {
    kEnd = 0,
    kNL = 1,
    kEQ = 2,
    kSTRING = 3,
    kAMP = 4,
    kASTER = 5,
    kBLACK_SQUARE = 6,
    kWHITE_SQUARE = 7,
    kBLACK_DIAMOND = 8,
    kWHITE_DIAMOND = 9,
    kBLACK_CIRCLE = 10,
    kWHITE_CIRCLE = 11,
    kPLUS = 12,
    kMINUS = 13,
    kEXCL = 14,
    kBAR = 15,
    kTILDE = 16,
    kBACKQUOTE = 17,
    kSEMI = 18,
    kPERCENT = 19,
    kSHARP = 20,
    kCARET = 21,
    kDOLLAR = 22,
    kRAW_TEXT = 23,
    kUNDER = 24,
    kCOMMENT_TEXT = 25,
    kLINE_COMMENT_TEXT = 26,
    kCommonCodes = 27,

    // Syntaxes 2 to 4 (sentence spans).
    kSTOP = 27,
    kSTOP_CLOSE = 28,
    kCLOSE = 29,
    kSPAN_BREAK = 30,

    // Syntax 1 (macros).
    kAT = 27,
    kMACRO_TEXT = 28,
};

// The terminals' names by code, as the grammars and the token dump spell
// them.
inline constexpr const char* kCommonTokenNames[kCommonCodes] = {
    "$",         "NL",         "EQ",       "STRING",      "AMP",          "ASTER",    "BLACK_SQUARE",
    "WHITE_SQUARE", "BLACK_DIAMOND", "WHITE_DIAMOND", "BLACK_CIRCLE", "WHITE_CIRCLE", "PLUS", "MINUS",
    "EXCL",      "BAR",        "TILDE",    "BACKQUOTE",   "SEMI",         "PERCENT",  "SHARP",
    "CARET",     "DOLLAR",     "RAW_TEXT", "UNDER",       "COMMENT_TEXT", "LINE_COMMENT_TEXT"};
inline constexpr const char* kSpanTokenNames[] = {"STOP", "STOP_CLOSE", "CLOSE", "SPAN_BREAK"};
inline constexpr const char* kMacroTokenNames[] = {"AT", "MACRO_TEXT"};

// Every terminal name of one family: with spans syntaxes 2 to 4, else
// syntax 1.
inline std::vector<std::string> tokenNames(bool spans) {
    std::vector<std::string> names(std::begin(kCommonTokenNames), std::end(kCommonTokenNames));
    if (spans) names.insert(names.end(), std::begin(kSpanTokenNames), std::end(kSpanTokenNames));
    else names.insert(names.end(), std::begin(kMacroTokenNames), std::end(kMacroTokenNames));
    return names;
}

// The lexer's states are the codes of the tokens it returned last: after a
// line end it stands at the start of a line, and after a closing "$" or
// "@" it reads on as after text.
inline constexpr int kLineStart = kNL;
inline constexpr int kAfterText = kSTRING;

} // namespace Orvane::markup
