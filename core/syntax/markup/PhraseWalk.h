#pragma once

#include "Phrase.h"

namespace Orvane {

class Generator;

// The walks that turn a line's phrase chain or cell list into generator
// events. With spans (syntaxes 2 to 4) text is split into sentence spans
// where the lexer marked sentence ends, and a line or cell of images
// places them as blocks; without (syntax 1) neither happens.
class PhraseWalk {
public:
    // Emits the chain in source order; returns whether a span is left open.
    // last marks the call for a whole line (a span break at its end does
    // nothing); block is how images are placed.
    static bool emitPhrases(Generator* g, Phrase* chain, bool spans, bool last, bool block);
    // A line's content, closing a span left open.
    static void emitLine(Generator* g, Phrase* chain, bool spans);
    static void emitCells(Generator* g, const Cell* first, bool spans);
    // A line that is neither a title, a heading, a list item nor a row.
    static void paragraphLine(Generator* g, Phrase* chain, bool spans);

    // Bit k set when the chain holds a phrase of kind k (the sentinel aside).
    static unsigned kindsOf(const Phrase* chain);
};

} // namespace Orvane
