#pragma once

#include <string>
#include <vector>

namespace Orvane {

// A mark the lexer recognises: its text (zero-terminated UTF-16) and the
// token code it gives.
struct S2Mark {
    const char16_t* text;
    int code;
};

// The static tables of one member of the span-aware family: which forms of
// the mark characters it accepts (syntax 2 both, 3 half-width, 4 full-width).
// Order matters in every list: the first match wins.
struct S2LexerTables {
    std::vector<S2Mark> lineStartMarks;
    std::vector<S2Mark> inlineMarks;    // the base of a lexer's marks
    std::u16string specials;            // characters that end a text run
    std::u16string escapes;
    std::u16string percentForms;        // closing marks after an opening one
    std::u16string caretForms;
    std::u16string dollarForms;
    std::u16string underForms;
    std::vector<S2Mark> underscoreTable;

    // Syntax 2, 3 or 4.
    static const S2LexerTables& forSyntax(int syntax);

    // The sentence-end runs: of c repeated n times (1..10); c is one of
    // "。", "、", "." and ",".
    static const char16_t* run(char16_t c, int n);
    static constexpr int kLongestRun = 10;
    static constexpr char16_t kClosingBrackets[] = u"」』｣）";
};

} // namespace Orvane
