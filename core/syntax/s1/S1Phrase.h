#pragma once

#include "../s2/S2Phrase.h"

namespace Orvane {

// Kinds of the inline phrases of the markup with macros; 0 is the sentinel
// that ends every chain.
enum S1PhraseType {
    kS1SentinelPhrase = 0,
    kS1TextPhrase = 1,
    kS1PagePhrase = 2,
    kS1LineBreakPhrase = 3,
    kS1ImagePhrase = 4,
    kS1AnchorPhrase = 5,
    kS1LinkPhrase = 6,
    kS1RawPhrase = 7,
    kS1CommentPhrase = 8,
    kS1LineCommentPhrase = 9,
    kS1MacroPhrase = 10,
    kS1RubyPhrase = 11,
};

// The phrase and cell records are those of the span-aware markup (the
// parse stack's values carry them); only the kinds differ.
using S1Phrase = S2Phrase;
using S1Cell = S2Cell;

} // namespace Orvane
