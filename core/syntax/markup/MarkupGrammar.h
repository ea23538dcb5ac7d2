#pragma once

#include "../Grammar.h"
#include "../ParseTables.h"
#include "Phrase.h"

namespace Orvane {

class Diagnostics;

// The grammar of the markup family with its actions, and its tables,
// unpacked from the embedded ones the first time they are asked for. With
// spans it is the grammar of syntaxes 2 to 4; without, that of syntax 1
// (macros, no sentence ends). Both share their line rules and actions.
class MarkupGrammar {
public:
    static Grammar make(bool spans);
    static const ParseTables& tables(bool spans);
};

// What the actions of a parse reach through the engine's user pointer:
// where the parse reports (null: nowhere).
struct MarkupContext {
    Diagnostics* diagnostics = nullptr;
    // The text being parsed: tokens name stretches of it.
    const unsigned short* source = nullptr;
    // The phrases of the line being read, cleared by the action that
    // writes the line (and by the parser when it drops what it holds).
    LinePhrases phrases;
};

} // namespace Orvane
