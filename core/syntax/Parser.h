#pragma once

namespace Orvane {

class Diagnostics;
class Generator;
class Token;

// Runs a grammar over the tokens of a lexer; grammar actions call the
// generator's events as rules are reduced.
class Parser {
public:
    Parser() = default;
    virtual ~Parser() = default;
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Takes one token (the code as the major symbol, the record as its
    // value, whose contents the parser may move out; the record stays the
    // caller's).
    virtual void feed(Token* token, Generator* generator) = 0;

    // Drops what a parse cut short (a generator threw) still holds, values
    // that may name its text among them: the next text starts afresh. A
    // parser that keeps nothing between tokens has nothing to drop.
    virtual void clear() {}

    // Where the parser reports what it cannot read, and the cursor it keeps
    // at the construct being emitted; null stops the reports. A parser
    // without reports ignores it.
    virtual void setDiagnostics(Diagnostics*) {}

    // The text the tokens come from, which outlives the run: a token may
    // name its text there rather than hold a copy.
    virtual void setSource(const unsigned short*) {}
};

} // namespace Orvane
