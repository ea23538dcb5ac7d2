#pragma once

#include <iterator>

#include "../Syntax.h"
#include "S0Lexer.h"
#include "S0Parser.h"

namespace Orvane {

// The trace grammar: paragraphs, one heading form, a title line, anchors
// and links, every reduction traced on standard output.
class S0Syntax : public Syntax {
public:
    S0Syntax()
        : Syntax(new S0Lexer(), new S0Parser(), {std::begin(kS0TokenNames), std::end(kS0TokenNames)}) {}

    bool printsP() const override { return true; }
};

} // namespace Orvane
