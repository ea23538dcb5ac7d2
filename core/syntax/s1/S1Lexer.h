#pragma once

#include "../markup/MarkupLexer.h"

namespace Orvane {

// The lexer of the markup with macros: the family's lexer with both forms
// of every mark, "@" for macros and no sentence ends.
class S1Lexer : public MarkupLexer {
public:
    S1Lexer() : MarkupLexer(MarkupTables::forSyntax(1)) {}
};

} // namespace Orvane
