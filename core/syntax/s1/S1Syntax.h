#pragma once

#include "../markup/MarkupSyntax.h"
#include "S1Lexer.h"
#include "S1Parser.h"
#include "../markup/MarkupTokens.h"

namespace Orvane {

// The markup with macros: no sentence spans, "@" name "@" for macros.
class S1Syntax : public MarkupSyntax {
public:
    S1Syntax() : MarkupSyntax(new S1Lexer(), new S1Parser(), markup::tokenNames(false)) {}
};

} // namespace Orvane
