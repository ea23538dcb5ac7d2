#include "PhraseWalk.h"

#include "core/generator/GeneratorPipe.h"
#include "core/model/Diagnostics.h"

namespace Orvane {

namespace {

constexpr unsigned bit(int kind) { return 1u << kind; }
constexpr unsigned kComments = bit(kCommentPhrase) | bit(kLineCommentPhrase);
constexpr unsigned kImagesAndComments = kComments | bit(kImagePhrase);
constexpr unsigned kBlockish = kImagesAndComments | bit(kLineBreakPhrase);

} // namespace

unsigned PhraseWalk::kindsOf(Phrases phrases) {
    unsigned kinds = 0;
    for (const Phrase& p : phrases) kinds |= bit(p.kind);
    return kinds;
}

template <class G>
bool PhraseWalk::emitPhrases(G* g, Phrases phrases, bool spans, bool last, bool block, Diagnostics* d) {
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
    for (const Phrase* p = phrases.data(), *end = p + phrases.size(); p != end; ++p) {
        const bool lastPhrase = last && p + 1 == end;
        // Every kind is handled: the compiler names any one left out.
        switch (p->kind) {
        case kSentinelPhrase: break;
        case kTextPhrase: beginIfNone(); g->text(p->text1.ref()); break;
        case kPagePhrase:
            if (d) d->setCursor(p->offset);
            endIfOpen();
            g->pageNumber(p->text1.ref());
            break;
        case kLineBreakPhrase: g->lineBreak(); break;
        case kImagePhrase: endIfOpen(); g->image(p->text1.ref(), p->text2.ref(), block); break;
        case kAnchorPhrase: beginIfNone(); g->anchor(p->text1.ref(), p->text2.ref()); break;
        case kLinkPhrase: beginIfNone(); g->link(p->text1.ref(), p->text2.ref()); break;
        case kRawPhrase: g->rawText(p->text1.ref()); break;
        case kCommentPhrase: g->comment(p->text1.ref()); break;
        case kLineCommentPhrase: g->blockComment(p->text1.ref()); break;
        case kStopPhrase:
        case kStopClosePhrase:
            beginIfNone();
            g->text(p->text1.ref());
            endIfOpen();
            break;
        case kClosePhrase: g->text(p->text1.ref()); break;
        case kSpanBreakPhrase:
            if (!lastPhrase) endIfOpen();
            break;
        case kPageFrontPhrase: endIfOpen(); g->pageFront(p->text1.ref()); break;
        case kPageSpecialPhrase: endIfOpen(); g->pageSpecial(p->text1.ref()); break;
        case kRubyPhrase: beginIfNone(); g->ruby(p->text1.ref(), p->text2.ref()); break;
        case kMacroPhrase: g->macro(p->text1.ref()); break;
        }
    }
    return open;
}

template <class G>
void PhraseWalk::emitLine(G* g, Phrases phrases, bool spans, Diagnostics* d) {
    if (emitPhrases(g, phrases, spans, true, false, d)) g->endSpan();
}

template <class G>
void PhraseWalk::emitCells(G* g, const Cell* first, const LinePhrases& lines, bool spans, Diagnostics* d) {
    for (const Cell* c = first; c; c = c->next) {
        if (c->kind == kHeaderCell) g->beginHeaderCell();
        else g->beginDataCell();
        const Phrases phrases = lines.list(c->phrases);
        if (const unsigned kinds = kindsOf(phrases)) {
            const bool block = spans && (kinds & ~kImagesAndComments) == 0 && (kinds & ~kComments) != 0;
            if (emitPhrases(g, phrases, spans, true, block, d)) g->endSpan();
        }
        if (c->kind == kHeaderCell) g->endHeaderCell();
        else g->endDataCell();
    }
}

template <class G>
void PhraseWalk::paragraphLine(G* g, Phrases phrases, bool spans, Diagnostics* d) {
    const unsigned kinds = kindsOf(phrases);
    if (kinds == 0) {
        g->newLine();
    } else if (spans && (kinds & ~kComments) == 0) {
        emitLine(g, phrases, true, d);
    } else if (spans && (kinds & ~kBlockish) == 0) {
        emitPhrases(g, phrases, true, true, true, d);
    } else {
        // Without spans even a line of only images or comments is a paragraph.
        g->beginParagraph();
        g->beginInline();
        emitLine(g, phrases, spans, d);
        g->endInline();
        g->endParagraph();
    }
}

#define QM_PHRASE_WALK_FOR(G)                                                                                \
    template bool PhraseWalk::emitPhrases(G*, Phrases, bool, bool, bool, Diagnostics*);                      \
    template void PhraseWalk::emitLine(G*, Phrases, bool, Diagnostics*);                                     \
    template void PhraseWalk::emitCells(G*, const Cell*, const LinePhrases&, bool, Diagnostics*);            \
    template void PhraseWalk::paragraphLine(G*, Phrases, bool, Diagnostics*);
QM_PHRASE_WALK_FOR(Generator)
QM_PHRASE_WALK_FOR(GeneratorPipe)
#undef QM_PHRASE_WALK_FOR

} // namespace Orvane
