#pragma once

#include <cstdint>

#include "Lexer.h"
#include "Parser.h"

namespace Orvane {

class Generator;
class Log;

// Selects the syntax: 0 trace, 1 markup with macros, 2 span-aware markup
// (both forms of the marks), 3 half-width marks only, 4 full-width only.
enum SyntaxType { kSyntax0 = 0, kSyntax1 = 1, kSyntax2 = 2, kSyntax3 = 3, kSyntax4 = 4 };

// A lexer and a parser that turn the UTF-16 text of one source into
// document events. Owns both.
class Syntax {
public:
    virtual ~Syntax();
    Syntax(const Syntax&) = delete;
    Syntax& operator=(const Syntax&) = delete;

    // Runs the whole text through lexer and parser, then ends the source on
    // the generator. False only when the lexer delivered no token. The log
    // is not used by any syntax.
    virtual bool parse(Log* log, const unsigned short* text, std::uint32_t length, Generator* generator);

    // Prints the token stream on standard output, one "token_id: NN" line a
    // token (with its text in Shift_JIS in parentheses when it has one).
    bool dumpTokens(Log* log, const unsigned short* text, std::uint32_t length);

    Lexer* getLexer() const { return lexer; }

protected:
    // Takes over both.
    Syntax(Lexer* lexer, Parser* parser) : lexer(lexer), parser(parser) {}

    Lexer* lexer = nullptr;
    Parser* parser = nullptr;
};

} // namespace Orvane
