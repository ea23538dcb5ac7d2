#pragma once

#include "../markup/MarkupSyntax.h"
#include "S2Lexer.h"
#include "S2Parser.h"
#include "../markup/MarkupTokens.h"

namespace Orvane {

// The span-aware markup; S3Syntax and S4Syntax accept only the half-width
// or only the full-width forms of the marks.
class S2Syntax : public MarkupSyntax {
public:
    S2Syntax() : S2Syntax(new S2Lexer()) {}

    // The lexer with its span options.
    S2Lexer* getSpanLexer() const { return static_cast<S2Lexer*>(lexer); }

protected:
    explicit S2Syntax(S2Lexer* lexer) : MarkupSyntax(lexer, new S2Parser(), markup::tokenNames(true)) {}
};

class S3Syntax : public S2Syntax {
public:
    S3Syntax() : S2Syntax(new S3Lexer()) {}
};

class S4Syntax : public S2Syntax {
public:
    S4Syntax() : S2Syntax(new S4Lexer()) {}
};

} // namespace Orvane
