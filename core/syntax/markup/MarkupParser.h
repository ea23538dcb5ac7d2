#pragma once

#include "../ParseEngine.h"
#include "../Parser.h"
#include "MarkupGrammar.h"

namespace Orvane {

// The parser of the markup family: its grammar's tables (with spans for
// syntaxes 2 to 4, with macros for syntax 1) driven by the shared engine.
// With diagnostics set it reports each line it has to drop: at the opening
// mark of a construct the line end left open, else at the first token lost.
class MarkupParser : public Parser, private DiscardListener {
public:
    explicit MarkupParser(bool spans);
    void feed(Token* token, Generator* generator) final {
        engine_.feed(token, generator);
        // An accept, an error or an overflow has dropped the lines in hand.
        if (engine_.top() < 0) context_.phrases.clear();
    }
    void clear() override {
        engine_.clear();
        context_.phrases.clear();
    }
    void setDiagnostics(Diagnostics* diagnostics) override;
    void setSource(const unsigned short* text) override { context_.source = text; }

private:
    void discarding(const ParseEngine& engine, int offendingCode, std::uint32_t offendingOffset) override;

    bool spans_;
    MarkupContext context_;
    ParseEngine engine_;
};

} // namespace Orvane
