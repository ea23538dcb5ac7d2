#pragma once

#include "../ParseEngine.h"
#include "../Parser.h"

namespace Orvane {

// The parser of the span-aware markup: the shared grammar's tables driven
// by one engine.
class S2Parser : public Parser {
public:
    S2Parser();
    void feed(Token* token, Generator* generator) override;
    const ParseEngine& getEngine() const { return engine_; }

private:
    ParseEngine engine_;
};

using S3Parser = S2Parser;
using S4Parser = S2Parser;

} // namespace Orvane
