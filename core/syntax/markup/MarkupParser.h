#pragma once

#include "../ParseEngine.h"
#include "../Parser.h"

namespace Orvane {

// The parser of the markup family: its grammar's tables (with spans for
// syntaxes 2 to 4, with macros for syntax 1) driven by the shared engine.
class MarkupParser : public Parser {
public:
    explicit MarkupParser(bool spans);
    void feed(Token* token, Generator* generator) override;

private:
    ParseEngine engine_;
};

} // namespace Orvane
