#pragma once

#include "S2Phrase.h"

namespace Orvane {

class Generator;

// The walks that turn a line's phrase chain or cell list into generator
// events, splitting text into sentence spans where the lexer marked
// sentence ends.
class S2PhraseWalk {
public:
    // Emits the chain in source order; returns whether a span is left open.
    // last marks the call for a whole line (a span break at its end does
    // nothing); block is how images are placed.
    static bool emitPhrases(Generator* g, S2Phrase* chain, bool spans, bool last, bool block);
    // A line's content: with spans, closing a span left open.
    static void emitLine(Generator* g, S2Phrase* chain, bool spans);
    static void emitCells(Generator* g, const S2Cell* first);
    // A line that is neither a title, a heading, a list item nor a row.
    static void paragraphLine(Generator* g, S2Phrase* chain);

    // Bit k set when the chain holds a phrase of kind k (the sentinel aside).
    static unsigned kindsOf(const S2Phrase* chain);
};

} // namespace Orvane
