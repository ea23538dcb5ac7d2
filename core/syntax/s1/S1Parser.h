#pragma once

#include "../ParseEngine.h"
#include "../Parser.h"

namespace Orvane {

// The parser of the markup with macros: its grammar's tables driven by the
// shared engine.
class S1Parser : public Parser {
public:
    S1Parser();
    void feed(Token* token, Generator* generator) override;
    const ParseEngine& getEngine() const { return engine_; }

private:
    ParseEngine engine_;
};

} // namespace Orvane
