#pragma once

#include "S1Phrase.h"

namespace Orvane {

class Generator;

// The walks that turn a line's phrase chain or cell list into generator
// events. This markup knows no sentence spans and places every image
// inline.
class S1PhraseWalk {
public:
    // Emits the chain in source order.
    static void emitPhrases(Generator* g, S1Phrase* chain);
    static void emitCells(Generator* g, S1Cell* first);
    // A line that is neither a title, a heading, a list item nor a row.
    static void paragraphLine(Generator* g, S1Phrase* chain);

    // Whether the chain holds a phrase other than its sentinel.
    static bool anyPhraseP(const S1Phrase* chain);
};

} // namespace Orvane
