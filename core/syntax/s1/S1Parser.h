#pragma once

#include "../markup/MarkupParser.h"

namespace Orvane {

// The parser of the markup with macros.
class S1Parser : public MarkupParser {
public:
    S1Parser() : MarkupParser(false) {}
};

} // namespace Orvane
