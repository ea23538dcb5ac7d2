#pragma once

#include <cstdint>

#include "../RecycledRecord.h"
#include "../RecycledText.h"
#include "../Token.h"
#include "core/generator/TextRef.h"

namespace Orvane {

// Kinds of inline phrases of the whole markup family; 0 is the sentinel
// that ends every chain. Syntax 1 makes macros but no sentence ends, span
// breaks or front-matter and special page marks.
enum PhraseKind {
    kSentinelPhrase = 0,
    kTextPhrase = 1,
    kPagePhrase = 2,
    kLineBreakPhrase = 3,
    kImagePhrase = 4,
    kAnchorPhrase = 5,
    kLinkPhrase = 6,
    kRawPhrase = 7,
    kCommentPhrase = 8,
    kLineCommentPhrase = 9,
    kStopPhrase = 10,
    kClosePhrase = 11,
    kStopClosePhrase = 12,
    kSpanBreakPhrase = 13,
    kPageFrontPhrase = 14,
    kPageSpecialPhrase = 15,
    kRubyPhrase = 16,
    kMacroPhrase = 17,
};

// A phrase's text: units of its own, or a stretch of the source (which
// outlives every phrase of its parse), or none.
struct PhraseText {
    DString* owned = nullptr;
    const unsigned short* units = nullptr;  // the source's, when none are owned
    std::uint32_t length = 0;

    TextRef ref() const { return owned ? TextRef(owned) : units ? TextRef(units, length) : TextRef(); }
};

// One inline phrase of a line. A line's chain is built newest first and
// ends in a sentinel; each phrase owns the texts that are not the source's.
struct Phrase : RecycledRecord<Phrase> {
    Phrase* previous = nullptr;
    PhraseKind kind = kSentinelPhrase;
    std::uint32_t offset = 0;  // where its first mark starts in the source
    PhraseText text1;
    PhraseText text2;

    Phrase() = default;
    Phrase(PhraseKind kind, PhraseText text1, PhraseText text2 = {}) : kind(kind), text1(text1), text2(text2) {}
    Phrase(const Phrase&) = delete;
    Phrase& operator=(const Phrase&) = delete;
    ~Phrase() {
        RecycledText::release(text1.owned);
        RecycledText::release(text2.owned);
    }

    // Deletes the phrase and everything before it.
    static void deleteChain(Phrase* p) {
        while (p) {
            Phrase* prev = p->previous;
            delete p;
            p = prev;
        }
    }
};

enum CellType { kHeaderCell = 0, kDataCell = 1 };

// One table cell; owns its phrase chain and the cells after it.
struct Cell : RecycledRecord<Cell> {
    Phrase* phrases = nullptr;
    int kind = kDataCell;
    Cell* next = nullptr;

    Cell(Phrase* phrases, int kind, Cell* next) : phrases(phrases), kind(kind), next(next) {}
    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;
    ~Cell() { Phrase::deleteChain(phrases); }

    static void deleteList(Cell* c) {
        while (c) {
            Cell* n = c->next;
            delete c;
            c = n;
        }
    }
};

} // namespace Orvane
