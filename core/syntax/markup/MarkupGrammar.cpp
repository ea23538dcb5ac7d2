#include "MarkupGrammar.h"

#include "../EmbeddedTables.h"
#include "../ParseEngine.h"
#include "MarkupTokens.h"
#include "PhraseWalk.h"
#include "core/generator/GeneratorPipe.h"
#include "core/model/Diagnostics.h"

namespace Orvane {

namespace {

Token& at(ReduceContext& c, int i) { return c.rhs[i].value; }
Diagnostics* diagnosticsOf(const ReduceContext& c) {
    return c.user ? static_cast<const MarkupContext*>(c.user)->diagnostics : nullptr;
}

const unsigned short* sourceOf(const ReduceContext& c) { return static_cast<const MarkupContext*>(c.user)->source; }

// The text of the terminal at i, taken over by the caller: its own units,
// or the stretch of the source it names.
PhraseText takeText(ReduceContext& c, int i) {
    Token& t = at(c, i);
    if (!t.sourceLength || t.value) return {t.takeValue()};
    return {nullptr, sourceOf(c) + t.offset, t.sourceLength};
}

// The same, left in place.
TextRef textAt(ReduceContext& c, int i) {
    const Token& t = at(c, i);
    if (!t.textP()) return {};
    const auto units = t.textIn(sourceOf(c));
    return {units.data(), units.size()};
}

// Calls walk with the parse's generator as the type it is: a pipe's events
// are then recorded without virtual calls.
template <class Walk>
void withGenerator(ReduceContext& c, Walk walk) {
    if (GeneratorPipe* pipe = c.generator->pipe()) walk(pipe);
    else walk(c.generator);
}

template <bool Spans>
void paragraphLine(ReduceContext& c) {
    withGenerator(c, [&](auto* g) { PhraseWalk::paragraphLine(g, at(c, 0).phrases, Spans, diagnosticsOf(c)); });
}

template <bool Spans>
void tableRow(ReduceContext& c) {
    withGenerator(c, [&](auto* g) {
        g->beginTableRow();
        PhraseWalk::emitCells(g, at(c, 0).cells, Spans, diagnosticsOf(c));
        g->endTableRow();
    });
}

// Syntax 1 only sets the title; the span-aware syntaxes also show it.
template <bool Spans>
void titleLine(ReduceContext& c) {
    c.generator->setTitle(textAt(c, 1));
    if (Spans) c.generator->title(textAt(c, 1));
}

void splitWithTitle(ReduceContext& c) {
    c.generator->newOutput();
    c.generator->setTitle(textAt(c, 1));
}

void split(ReduceContext& c) { c.generator->newOutput(); }

// A line's phrases, from the value at phrasesAt, inside the inline brackets.
template <class G>
void inlineLine(G* g, ReduceContext& c, int phrasesAt, bool spans) {
    g->beginInline();
    PhraseWalk::emitLine(g, at(c, phrasesAt).phrases, spans, diagnosticsOf(c));
    g->endInline();
}

// Heading of the given level; its phrases follow At marks. No spans in
// headings. A warning about its level points at its mark.
template <int Level, int At>
void heading(ReduceContext& c) {
    if (Diagnostics* d = diagnosticsOf(c)) d->setCursor(at(c, 0).offset);
    withGenerator(c, [&](auto* g) {
        g->beginHeading(Level);
        inlineLine(g, c, At, false);
        g->endHeading(Level);
    });
}

template <bool Spans, int State, int At>
void listItem(ReduceContext& c) {
    withGenerator(c, [&](auto* g) {
        g->listItem(State);
        inlineLine(g, c, At, Spans);
        g->setListState(State);
    });
}

void horizontalRule(ReduceContext& c) { c.generator->horizontalRule(); }

template <int Kind>
void cellBefore(ReduceContext& c) {
    c.result.cells = new Cell(at(c, 1).phrases, Kind, at(c, 2).cells);
    at(c, 1).phrases = nullptr;
    at(c, 2).cells = nullptr;
}

template <int Kind>
void lastCell(ReduceContext& c) {
    c.result.cells = new Cell(at(c, 1).phrases, Kind, nullptr);
    at(c, 1).phrases = nullptr;
}

void noPhrases(ReduceContext& c) { c.result.phrases = new Phrase(); }

void morePhrases(ReduceContext& c) {
    Phrase* p = at(c, 1).phrases;
    p->previous = at(c, 0).phrases;
    at(c, 0).phrases = nullptr;
    at(c, 1).phrases = nullptr;
    c.result.phrases = p;
}

// A phrase of the kind whose texts are the values at A and B (-1: none).
template <PhraseKind Kind, int A = -1, int B = -1>
void phrase(ReduceContext& c) {
    const PhraseText t1 = A >= 0 ? takeText(c, A) : PhraseText();
    const PhraseText t2 = B >= 0 ? takeText(c, B) : PhraseText();
    c.result.phrases = new Phrase(Kind, t1, t2);
    c.result.phrases->offset = at(c, 0).offset;  // every phrase starts with a terminal
}

void pageWithMinus(ReduceContext& c) {
    const TextRef number = textAt(c, 2);
    DString* t = nullptr;
    if (number) {
        t = RecycledText::make();
        t->push_back(static_cast<unsigned short>(u'-'));
        t->append(number->data(), number->size());
    }
    c.result.phrases = new Phrase(kPagePhrase, {t});
    c.result.phrases->offset = at(c, 0).offset;
}

template <bool Spans>
Grammar build() {
    std::vector<std::string> terminals = markup::tokenNames(Spans);
    terminals.push_back("error");
    Grammar g(std::move(terminals), {"src", "lines", "line", "phrases", "phrase", "cells"});
    g.rule("src", "lines");
    g.rule("lines", "");
    g.rule("lines", "lines line");
    g.rule("line", "phrases NL", paragraphLine<Spans>);
    g.rule("line", "cells NL", tableRow<Spans>);
    g.rule("line", "EQ STRING NL", titleLine<Spans>);
    g.rule("line", "AMP STRING NL", splitWithTitle);
    if (Spans) g.rule("line", "AMP NL", split);
    g.rule("line", "ASTER phrases NL", heading<1, 1>);
    g.rule("line", "ASTER ASTER phrases NL", heading<2, 2>);
    g.rule("line", "ASTER ASTER ASTER phrases NL", heading<3, 3>);
    g.rule("line", "ASTER ASTER ASTER ASTER phrases NL", heading<4, 4>);
    g.rule("line", "ASTER ASTER ASTER ASTER ASTER phrases NL", heading<5, 5>);
    g.rule("line", "ASTER ASTER ASTER ASTER ASTER ASTER phrases NL", heading<6, 6>);
    g.rule("line", "BLACK_SQUARE phrases NL", heading<1, 1>);
    g.rule("line", "WHITE_SQUARE phrases NL", heading<2, 1>);
    g.rule("line", "BLACK_DIAMOND phrases NL", heading<3, 1>);
    g.rule("line", "WHITE_DIAMOND phrases NL", heading<4, 1>);
    g.rule("line", "BLACK_CIRCLE phrases NL", heading<5, 1>);
    g.rule("line", "WHITE_CIRCLE phrases NL", heading<6, 1>);
    g.rule("line", "PLUS phrases NL", listItem<Spans, 1, 1>);
    g.rule("line", "PLUS PLUS phrases NL", listItem<Spans, 2, 2>);
    g.rule("line", "PLUS MINUS phrases NL", listItem<Spans, 3, 2>);
    g.rule("line", "PLUS PLUS PLUS phrases NL", listItem<Spans, 4, 3>);
    g.rule("line", "PLUS MINUS MINUS phrases NL", listItem<Spans, 5, 3>);
    g.rule("line", "PLUS PLUS MINUS phrases NL", listItem<Spans, 6, 3>);
    g.rule("line", "PLUS MINUS PLUS phrases NL", listItem<Spans, 7, 3>);
    g.rule("line", "MINUS phrases NL", listItem<Spans, 8, 1>);
    g.rule("line", "MINUS MINUS phrases NL", listItem<Spans, 9, 2>);
    g.rule("line", "MINUS PLUS phrases NL", listItem<Spans, 10, 2>);
    g.rule("line", "MINUS MINUS MINUS phrases NL", listItem<Spans, 11, 3>);
    g.rule("line", "MINUS PLUS PLUS phrases NL", listItem<Spans, 12, 3>);
    g.rule("line", "MINUS PLUS MINUS phrases NL", listItem<Spans, 13, 3>);
    g.rule("line", "MINUS MINUS PLUS phrases NL", listItem<Spans, 14, 3>);
    g.rule("line", "MINUS MINUS MINUS MINUS NL", horizontalRule);
    g.rule("cells", "EXCL phrases cells", cellBefore<kHeaderCell>);
    g.rule("cells", "EXCL phrases", lastCell<kHeaderCell>);
    g.rule("cells", "BAR phrases cells", cellBefore<kDataCell>);
    g.rule("cells", "BAR phrases", lastCell<kDataCell>);
    g.rule("phrases", "", noPhrases);
    g.rule("phrases", "phrases phrase", morePhrases);
    g.rule("phrase", "STRING", phrase<kTextPhrase, 0>);
    g.rule("phrase", "TILDE STRING TILDE", phrase<kPagePhrase, 1>);
    g.rule("phrase", "TILDE MINUS STRING TILDE", pageWithMinus);
    g.rule("phrase", "TILDE TILDE", phrase<kPagePhrase>);
    if (Spans) {
        g.rule("phrase", "TILDE EQ STRING TILDE", phrase<kPageFrontPhrase, 2>);
        g.rule("phrase", "TILDE ASTER STRING TILDE", phrase<kPageSpecialPhrase, 2>);
    }
    g.rule("phrase", "BACKQUOTE STRING BACKQUOTE STRING BACKQUOTE", phrase<kRubyPhrase, 1, 3>);
    g.rule("phrase", "SEMI", phrase<kLineBreakPhrase>);
    g.rule("phrase", "PERCENT STRING PERCENT STRING PERCENT", phrase<kImagePhrase, 1, 3>);
    g.rule("phrase", "SHARP STRING SHARP STRING SHARP", phrase<kAnchorPhrase, 1, 3>);
    g.rule("phrase", "CARET STRING CARET STRING CARET", phrase<kLinkPhrase, 1, 3>);
    g.rule("phrase", "DOLLAR RAW_TEXT DOLLAR", phrase<kRawPhrase, 1>);
    g.rule("phrase", "UNDER COMMENT_TEXT UNDER", phrase<kCommentPhrase, 1>);
    g.rule("phrase", "UNDER UNDER LINE_COMMENT_TEXT", phrase<kLineCommentPhrase, 2>);
    if (Spans) {
        g.rule("phrase", "STOP", phrase<kStopPhrase, 0>);
        g.rule("phrase", "STOP_CLOSE", phrase<kStopClosePhrase, 0>);
        g.rule("phrase", "CLOSE", phrase<kClosePhrase, 0>);
        g.rule("phrase", "SPAN_BREAK", phrase<kSpanBreakPhrase>);
    } else {
        g.rule("phrase", "AT MACRO_TEXT AT", phrase<kMacroPhrase, 1>);
    }
    return g;
}

} // namespace

Grammar MarkupGrammar::make(bool spans) { return spans ? build<true>() : build<false>(); }

const ParseTables& MarkupGrammar::tables(bool spans) {
    if (spans) {
        static const ParseTables withSpans = EmbeddedTables::spans().unpack(make(true));
        return withSpans;
    }
    static const ParseTables withMacros = EmbeddedTables::macros().unpack(make(false));
    return withMacros;
}

} // namespace Orvane
