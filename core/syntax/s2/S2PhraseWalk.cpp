#include "S2PhraseWalk.h"

#include "core/generator/Generator.h"

namespace Orvane {

namespace {

constexpr unsigned bit(int kind) { return 1u << kind; }
constexpr unsigned kComments = bit(kCommentPhrase) | bit(kLineCommentPhrase);
constexpr unsigned kImagesAndComments = kComments | bit(kImagePhrase);
constexpr unsigned kBlockish = kImagesAndComments | bit(kLineBreakPhrase);

// Reverses the previous links: a chain read newest first becomes one read
// in source order, and back. Walking this way needs neither recursion (a
// line may hold any number of phrases) nor a buffer.
S2Phrase* reverse(S2Phrase* p) {
    S2Phrase* r = nullptr;
    while (p) {
        S2Phrase* prev = p->previous;
        p->previous = r;
        r = p;
        p = prev;
    }
    return r;
}

} // namespace

unsigned S2PhraseWalk::kindsOf(const S2Phrase* chain) {
    unsigned kinds = 0;
    for (const S2Phrase* p = chain; p; p = p->previous)
        if (p->kind != kSentinelPhrase) kinds |= bit(p->kind);
    return kinds;
}

bool S2PhraseWalk::emitPhrases(Generator* g, S2Phrase* chain, bool spans, bool last, bool block) {
    bool open = false;
    auto beginIfNone = [&] {
        if (spans && !open) {
            g->beginSpan();
            open = true;
        }
    };
    auto endIfOpen = [&] {
        if (spans && open) {
            g->endSpan();
            open = false;
        }
    };
    S2Phrase* first = reverse(chain);
    for (S2Phrase* p = first; p; p = p->previous) {
        // Only the newest phrase of the chain is the last of the call.
        const bool lastPhrase = last && p == chain;
        switch (p->kind) {
        case kTextPhrase: beginIfNone(); g->text(p->text1); break;
        case kPagePhrase: endIfOpen(); g->pageNumber(p->text1); break;
        case kLineBreakPhrase: g->lineBreak(); break;
        case kImagePhrase: endIfOpen(); g->image(p->text1, p->text2, block); break;
        case kAnchorPhrase: beginIfNone(); g->anchor(p->text1, p->text2); break;
        case kLinkPhrase: beginIfNone(); g->link(p->text1, p->text2); break;
        case kRawPhrase: g->rawText(p->text1); break;
        case kCommentPhrase: g->comment(p->text1); break;
        case kLineCommentPhrase: g->blockComment(p->text1); break;
        case kStopPhrase:
        case kStopClosePhrase:
            beginIfNone();
            g->text(p->text1);
            endIfOpen();
            break;
        case kClosePhrase: g->text(p->text1); break;
        case kSpanBreakPhrase:
            if (!lastPhrase) endIfOpen();
            break;
        case kPageFrontPhrase: endIfOpen(); g->pageFront(p->text1); break;
        case kPageSpecialPhrase: endIfOpen(); g->pageSpecial(p->text1); break;
        case kRubyPhrase: beginIfNone(); g->ruby(p->text1, p->text2); break;
        default: break;  // the sentinel
        }
    }
    reverse(first);
    return open;
}

void S2PhraseWalk::emitLine(Generator* g, S2Phrase* chain, bool spans) {
    if (emitPhrases(g, chain, spans, true, false)) g->endSpan();
}

void S2PhraseWalk::emitCells(Generator* g, const S2Cell* first) {
    for (const S2Cell* c = first; c; c = c->next) {
        if (c->kind == kHeaderCell) g->beginHeaderCell();
        else g->beginDataCell();
        const unsigned kinds = kindsOf(c->phrases);
        if (kinds) {
            const bool block = (kinds & ~kImagesAndComments) == 0 && (kinds & ~kComments) != 0;
            if (emitPhrases(g, c->phrases, true, true, block)) g->endSpan();
        }
        if (c->kind == kHeaderCell) g->endHeaderCell();
        else g->endDataCell();
    }
}

void S2PhraseWalk::paragraphLine(Generator* g, S2Phrase* chain) {
    const unsigned kinds = kindsOf(chain);
    if (kinds == 0) {
        g->newLine();
    } else if ((kinds & ~kComments) == 0) {
        emitLine(g, chain, true);
    } else if ((kinds & ~kBlockish) == 0) {
        emitPhrases(g, chain, true, true, true);
    } else {
        g->beginParagraph();
        g->beginInline();
        emitLine(g, chain, true);
        g->endInline();
        g->endParagraph();
    }
}

} // namespace Orvane
