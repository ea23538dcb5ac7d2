#pragma once

#include "../ParseEngine.h"
#include "../Parser.h"

namespace Orvane {

// The parser of the trace grammar: prints "ACCEPT" when a text has been
// parsed and "FAILURE" when error recovery empties its stack.
class S0Parser : public Parser {
public:
    S0Parser();
    void feed(Token* token, Generator* generator) override;
    void clear() override { engine_.clear(); }

private:
    ParseEngine engine_;
};

} // namespace Orvane
