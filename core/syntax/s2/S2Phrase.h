#pragma once

#include "../RecycledRecord.h"
#include "../Token.h"

namespace Orvane {

// Kinds of inline phrases; 0 is the sentinel that ends every chain.
enum PhraseType {
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
};

// One inline phrase of a line. A line's chain is built newest first and
// ends in a sentinel; each phrase owns its texts.
struct S2Phrase : RecycledRecord<S2Phrase> {
    S2Phrase* previous = nullptr;
    int kind = kSentinelPhrase;
    DString* text1 = nullptr;
    DString* text2 = nullptr;

    S2Phrase() = default;
    S2Phrase(int kind, DString* text1, DString* text2 = nullptr)
        : kind(kind), text1(text1), text2(text2) {}
    S2Phrase(const S2Phrase&) = delete;
    S2Phrase& operator=(const S2Phrase&) = delete;
    ~S2Phrase() {
        delete text1;
        delete text2;
    }

    // Deletes the phrase and everything before it.
    static void deleteChain(S2Phrase* p) {
        while (p) {
            S2Phrase* prev = p->previous;
            delete p;
            p = prev;
        }
    }
};

enum CellType { kHeaderCell = 0, kDataCell = 1 };

// One table cell; owns its phrase chain and the cells after it.
struct S2Cell : RecycledRecord<S2Cell> {
    S2Phrase* phrases = nullptr;
    int kind = kDataCell;
    S2Cell* next = nullptr;

    S2Cell(S2Phrase* phrases, int kind, S2Cell* next) : phrases(phrases), kind(kind), next(next) {}
    S2Cell(const S2Cell&) = delete;
    S2Cell& operator=(const S2Cell&) = delete;
    ~S2Cell() { S2Phrase::deleteChain(phrases); }

    static void deleteList(S2Cell* c) {
        while (c) {
            S2Cell* n = c->next;
            delete c;
            c = n;
        }
    }
};

using S3Phrase = S2Phrase;
using S4Phrase = S2Phrase;
using S3Cell = S2Cell;
using S4Cell = S2Cell;

} // namespace Orvane
