#pragma once

#include <string>
#include <vector>

namespace Orvane {

// A mark the lexer recognises: its text (zero-terminated UTF-16) and the
// token code it gives.
struct Mark {
    const char16_t* text;
    int code;
};

// The static tables of one member of the markup family: which forms of the
// mark characters it accepts (syntaxes 1 and 2 both, 3 half-width, 4
// full-width) and which family it belongs to (syntax 1 has macros, the
// others sentence spans). Order matters in every list: the first match wins.
struct MarkupTables {
    bool spans = true;                  // false: the macro family (syntax 1)
    std::vector<Mark> lineStartMarks;
    std::vector<Mark> inlineMarks;      // the base of a lexer's marks
    std::u16string specials;            // characters that end a text run
    std::u16string escapes;
    std::u16string percentForms;        // closing marks after an opening one
    std::u16string caretForms;
    std::u16string dollarForms;
    std::u16string underForms;
    std::u16string atForms;             // empty without macros
    std::vector<Mark> underscoreTable;

    // Syntax 1, 2, 3 or 4.
    static const MarkupTables& forSyntax(int syntax);

    // The mark of a sentence end: c alone, one of "。", "、", "." and ",".
    // The lexer reads a run of up to kLongestRun of it as one mark.
    static const char16_t* sentenceEnd(char16_t c);
    static constexpr int kLongestRun = 10;
    static constexpr char16_t kClosingBrackets[] = u"」』｣）";
};

} // namespace Orvane
