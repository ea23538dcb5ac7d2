#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Lexer.h"
#include "Parser.h"
#include "TextArrival.h"
#include "ccc/base/Unit.h"
#include "ccc/encoding/EncodingIds.h"

namespace Orvane {

class Diagnostics;
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
    // is not used by any syntax. With an arrival the text is still arriving
    // into `text`, and length is what has arrived.
    virtual bool parse(Log* log, const unsigned short* text, std::uint32_t length, Generator* generator,
                       TextArrival* arrival = nullptr);

    // Prints the token stream on standard output, one "token_id: NN NAME"
    // line a token (with its text in parentheses when it has one).
    bool dumpTokens(Log* log, const unsigned short* text, std::uint32_t length);
    // The encoding the dump prints texts in; Shift_JIS unless set.
    void setPrintCeId(CCC::CeId ceId) { printCeId_ = ceId; }

    Lexer* getLexer() const { return lexer; }

    // Whether the syntax prints as it parses (the trace grammar does): its
    // events are then not written on another thread, out of step with it.
    virtual bool printsP() const { return false; }

    // The list the next parses report to (null: none). The caller keeps it.
    void setDiagnostics(Diagnostics* diagnostics) { parser->setDiagnostics(diagnostics); }

protected:
    // Takes over both. tokenNames: the terminals' names by code, for the
    // dump (without them it prints the codes alone).
    Syntax(Lexer* lexer, Parser* parser, std::vector<std::string> tokenNames = {})
        : lexer(lexer), parser(parser), tokenNames_(std::move(tokenNames)) {}

    // The lexer's tokens to the parser, up to the one that ends the text;
    // false when the lexer delivered none. A syntax that knows its lexer's
    // and parser's classes runs tokensTo with them, their calls bound.
    virtual bool feedTokens(Generator* generator, TextArrival* arrival) {
        return tokensTo(*lexer, *parser, generator, arrival);
    }
    template <class L, class P>
    static bool tokensTo(L& lexer, P& parser, Generator* generator, TextArrival* arrival) {
        for (;;) {
            const Lexer::Resume before = lexer.resumePoint();
            Token* const t = lexer.nextToken();
            if (!t) return false;
            // A token that ran into the end of what has arrived may run on
            // into what is to come, or end otherwise: it is read again with
            // more. No mark holds a line end but as its last unit, so a
            // token that ends before that end is the one the whole text gives.
            if (arrival && lexer.atEndP()) {
                const std::uint32_t have = lexer.getLength();
                const std::uint32_t more = arrival->waitBeyond(have);
                if (more > have) {
                    lexer.resume(before);
                    lexer.extendTo(more);
                    continue;
                }
            }
            parser.feed(t, generator);
            if (t->code == 0) return true;
        }
    }

    Lexer* lexer = nullptr;
    Parser* parser = nullptr;

private:
    std::vector<std::string> tokenNames_;
    CCC::CeId printCeId_ = CCC::ceid::kShiftJis;
};

} // namespace Orvane
