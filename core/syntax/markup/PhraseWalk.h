#pragma once

#include <span>

#include "Phrase.h"

namespace Orvane {

class Diagnostics;

// The walks that turn a line's phrases or cells into generator events.
// With spans (syntaxes 2 to 4) text is split into sentence spans where the
// lexer marked sentence ends, and a line or cell of images places them as
// blocks; without (syntax 1) neither happens. G is the generator's type:
// Generator, or GeneratorPipe, whose events are then recorded without
// virtual calls (the two are made in PhraseWalk.cpp).
class PhraseWalk {
public:
    using Phrases = std::span<const Phrase>;

    // Emits the phrases; returns whether a span is left open. last marks
    // the call for a whole line (a span break at its end does nothing);
    // block is how images are placed. Before a page number the cursor of d
    // (when there is one) is put at its mark, so that the generator can
    // place what it finds wrong with it.
    template <class G>
    static bool emitPhrases(G* g, Phrases phrases, bool spans, bool last, bool block, Diagnostics* d);
    // A line's content, closing a span left open.
    template <class G>
    static void emitLine(G* g, Phrases phrases, bool spans, Diagnostics* d);
    // The cells from first on, whose phrases are among lines.
    template <class G>
    static void emitCells(G* g, const Cell* first, const LinePhrases& lines, bool spans, Diagnostics* d);
    // A line that is neither a title, a heading, a list item nor a row.
    template <class G>
    static void paragraphLine(G* g, Phrases phrases, bool spans, Diagnostics* d);

    // Bit k set when the phrases hold one of kind k.
    static unsigned kindsOf(Phrases phrases);
};

} // namespace Orvane
