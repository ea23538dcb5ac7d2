#pragma once

#include <cstdint>

#include "../RecycledRecord.h"
#include "../RecycledText.h"
#include "../Token.h"

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

// One inline phrase of a line. A line's chain is built newest first and
// ends in a sentinel; each phrase owns its texts.
struct Phrase : RecycledRecord<Phrase> {
    Phrase* previous = nullptr;
    PhraseKind kind = kSentinelPhrase;
    std::uint32_t offset = 0;  // where its first mark starts in the source
    DString* text1 = nullptr;
    DString* text2 = nullptr;

    Phrase() = default;
    Phrase(PhraseKind kind, DString* text1, DString* text2 = nullptr) : kind(kind), text1(text1), text2(text2) {}
    Phrase(const Phrase&) = delete;
    Phrase& operator=(const Phrase&) = delete;
    ~Phrase() {
        RecycledText::release(text1);
        RecycledText::release(text2);
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
