#pragma once

#include "../markup/MarkupParser.h"

namespace Orvane {

// The parser of the span-aware markup, shared by syntaxes 2, 3 and 4.
class S2Parser : public MarkupParser {
public:
    S2Parser() : MarkupParser(true) {}
};

using S3Parser = S2Parser;
using S4Parser = S2Parser;

} // namespace Orvane
