#include "S1PhraseWalk.h"

#include "core/generator/Generator.h"

namespace Orvane {

namespace {

// Reverses the previous links: a chain read newest first becomes one read
// in source order, and back. Walking this way needs neither recursion (a
// line may hold any number of phrases) nor a buffer.
S1Phrase* reverse(S1Phrase* p) {
    S1Phrase* r = nullptr;
    while (p) {
        S1Phrase* prev = p->previous;
        p->previous = r;
        r = p;
        p = prev;
    }
    return r;
}

} // namespace

bool S1PhraseWalk::anyPhraseP(const S1Phrase* chain) {
    for (const S1Phrase* p = chain; p; p = p->previous)
        if (p->kind != kS1SentinelPhrase) return true;
    return false;
}

void S1PhraseWalk::emitPhrases(Generator* g, S1Phrase* chain) {
    S1Phrase* first = reverse(chain);
    for (S1Phrase* p = first; p; p = p->previous) {
        switch (p->kind) {
        case kS1TextPhrase: g->text(p->text1); break;
        case kS1PagePhrase: g->pageNumber(p->text1); break;
        case kS1LineBreakPhrase: g->lineBreak(); break;
        case kS1ImagePhrase: g->image(p->text1, p->text2, false); break;
        case kS1AnchorPhrase: g->anchor(p->text1, p->text2); break;
        case kS1LinkPhrase: g->link(p->text1, p->text2); break;
        case kS1RawPhrase: g->rawText(p->text1); break;
        case kS1CommentPhrase: g->comment(p->text1); break;
        case kS1LineCommentPhrase: g->blockComment(p->text1); break;
        case kS1MacroPhrase: g->macro(p->text1); break;
        case kS1RubyPhrase: g->ruby(p->text1, p->text2); break;
        default: break;  // the sentinel
        }
    }
    reverse(first);
}

void S1PhraseWalk::emitCells(Generator* g, S1Cell* first) {
    for (S1Cell* c = first; c; c = c->next) {
        if (c->kind == kHeaderCell) g->beginHeaderCell();
        else g->beginDataCell();
        if (anyPhraseP(c->phrases)) emitPhrases(g, c->phrases);
        if (c->kind == kHeaderCell) g->endHeaderCell();
        else g->endDataCell();
    }
}

void S1PhraseWalk::paragraphLine(Generator* g, S1Phrase* chain) {
    if (!anyPhraseP(chain)) {
        g->newLine();
        return;
    }
    // Even a line of only images or comments is a paragraph here.
    g->beginParagraph();
    g->beginInline();
    emitPhrases(g, chain);
    g->endInline();
    g->endParagraph();
}

} // namespace Orvane
