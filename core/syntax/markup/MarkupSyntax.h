#pragma once

#include <string>
#include <utility>
#include <vector>

#include "../Syntax.h"
#include "MarkupLexer.h"
#include "MarkupParser.h"

namespace Orvane {

// A syntax of the markup family. Its lexer and parser are the family's, so
// the token loop calls them directly: two calls a token through Lexer and
// Parser would cost it as much as a short reduction.
class MarkupSyntax : public Syntax {
protected:
    MarkupSyntax(MarkupLexer* lexer, MarkupParser* parser, std::vector<std::string> tokenNames)
        : Syntax(lexer, parser, std::move(tokenNames)) {}

    bool feedTokens(Generator* generator, TextArrival* arrival) override {
        return tokensTo(static_cast<MarkupLexer&>(*lexer), static_cast<MarkupParser&>(*parser), generator, arrival);
    }
};

} // namespace Orvane
