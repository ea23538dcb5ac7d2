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
LinePhrases& phrasesOf(ReduceContext& c) { return static_cast<MarkupContext*>(c.user)->phrases; }
PhraseWalk::Phrases phrasesAt(ReduceContext& c, int i) { return phrasesOf(c).list(at(c, i).phrases); }

// The text of the terminal at i, taken over by the caller: its own units,
// or the stretch of the source it names.
[[gnu::always_inline]] inline PhraseText takeText(ReduceContext& c, int i) {
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

// Every line is one more of the lines before it (at 0), which hold no
// value: one reduction for each line, not one to make it and one to add it.
// Its own symbols start at kLineAt.
constexpr int kLineAt = 1;

// Writes a line with walk (as withGenerator), then drops its phrases.
template <class Walk>
void writeLine(ReduceContext& c, Walk walk) {
    withGenerator(c, walk);
    phrasesOf(c).clear();
}

template <bool Spans>
void paragraphLine(ReduceContext& c) {
    writeLine(c, [&](auto* g) { PhraseWalk::paragraphLine(g, phrasesAt(c, kLineAt), Spans, diagnosticsOf(c)); });
}

template <bool Spans>
void tableRow(ReduceContext& c) {
    writeLine(c, [&](auto* g) {
        g->beginTableRow();
        PhraseWalk::emitCells(g, at(c, kLineAt).cells, phrasesOf(c), Spans, diagnosticsOf(c));
        g->endTableRow();
    });
}

// Syntax 1 only sets the title; the span-aware syntaxes also show it.
template <bool Spans>
void titleLine(ReduceContext& c) {
    c.generator->setTitle(textAt(c, kLineAt + 1));
    if (Spans) c.generator->title(textAt(c, kLineAt + 1));
}

void splitWithTitle(ReduceContext& c) {
    c.generator->newOutput();
    c.generator->setTitle(textAt(c, kLineAt + 1));
}

void split(ReduceContext& c) { c.generator->newOutput(); }

// A line's phrases, from the value at listAt of the line, inside the
// inline brackets.
template <class G>
void inlineLine(G* g, ReduceContext& c, int listAt, bool spans) {
    g->beginInline();
    PhraseWalk::emitLine(g, phrasesAt(c, kLineAt + listAt), spans, diagnosticsOf(c));
    g->endInline();
}

// Heading of the given level; its phrases follow At marks. No spans in
// headings. A warning about its level points at its mark.
template <int Level, int At>
void heading(ReduceContext& c) {
    if (Diagnostics* d = diagnosticsOf(c)) d->setCursor(at(c, kLineAt).offset);
    writeLine(c, [&](auto* g) {
        g->beginHeading(Level);
        inlineLine(g, c, At, false);
        g->endHeading(Level);
    });
}

template <bool Spans, int State, int At>
void listItem(ReduceContext& c) {
    writeLine(c, [&](auto* g) {
        g->listItem(State);
        inlineLine(g, c, At, Spans);
        g->setListState(State);
    });
}

void horizontalRule(ReduceContext& c) { c.generator->horizontalRule(); }

template <int Kind>
void cellBefore(ReduceContext& c) {
    c.result.cells = new Cell(at(c, 1).phrases, Kind, at(c, 2).cells);
    at(c, 2).cells = nullptr;
}

template <int Kind>
void lastCell(ReduceContext& c) {
    c.result.cells = new Cell(at(c, 1).phrases, Kind, nullptr);
}

void noPhrases(ReduceContext& c) { c.result.phrases = phrasesOf(c).open(); }

// A list of phrases (named by the value at 0) grows by the phrase whose
// marks and texts follow: one reduction for each phrase, not one to make it
// and one to add it. Its first mark is at kPhraseAt.
constexpr int kPhraseAt = 1;

[[gnu::always_inline]] inline void addPhrase(ReduceContext& c, PhraseKind kind, PhraseText text1,
                                            PhraseText text2 = {}) {
    // Every phrase starts with a terminal.
    phrasesOf(c).add(kind, at(c, kPhraseAt).offset, text1, text2);
    c.result.phrases = at(c, 0).phrases;
}

// A phrase of the kind whose texts are the values at A and B of the phrase
// (-1: none).
template <PhraseKind Kind, int A = -1, int B = -1>
void phrase(ReduceContext& c) {
    const PhraseText t1 = A >= 0 ? takeText(c, kPhraseAt + A) : PhraseText();
    const PhraseText t2 = B >= 0 ? takeText(c, kPhraseAt + B) : PhraseText();
    addPhrase(c, Kind, t1, t2);
}

void pageWithMinus(ReduceContext& c) {
    const TextRef number = textAt(c, kPhraseAt + 2);
    DString* t = nullptr;
    if (number) {
        t = RecycledText::make();
        t->push_back(static_cast<unsigned short>(u'-'));
        t->append(number->data(), number->size());
    }
    addPhrase(c, kPagePhrase, {t});
}

template <bool Spans>
Grammar build() {
    std::vector<std::string> terminals = markup::tokenNames(Spans);
    terminals.push_back("error");
    Grammar g(std::move(terminals), {"src", "lines", "phrases", "cells"});
    g.rule("src", "lines");
    g.rule("lines", "");
    const auto moreLines = [&g](const std::string& line, RuleAction action) {
        g.rule("lines", "lines " + line, action);
    };
    moreLines("phrases NL", paragraphLine<Spans>);
    moreLines("cells NL", tableRow<Spans>);
    moreLines("EQ STRING NL", titleLine<Spans>);
    moreLines("AMP STRING NL", splitWithTitle);
    if (Spans) moreLines("AMP NL", split);
    moreLines("ASTER phrases NL", heading<1, 1>);
    moreLines("ASTER ASTER phrases NL", heading<2, 2>);
    moreLines("ASTER ASTER ASTER phrases NL", heading<3, 3>);
    moreLines("ASTER ASTER ASTER ASTER phrases NL", heading<4, 4>);
    moreLines("ASTER ASTER ASTER ASTER ASTER phrases NL", heading<5, 5>);
    moreLines("ASTER ASTER ASTER ASTER ASTER ASTER phrases NL", heading<6, 6>);
    moreLines("BLACK_SQUARE phrases NL", heading<1, 1>);
    moreLines("WHITE_SQUARE phrases NL", heading<2, 1>);
    moreLines("BLACK_DIAMOND phrases NL", heading<3, 1>);
    moreLines("WHITE_DIAMOND phrases NL", heading<4, 1>);
    moreLines("BLACK_CIRCLE phrases NL", heading<5, 1>);
    moreLines("WHITE_CIRCLE phrases NL", heading<6, 1>);
    moreLines("PLUS phrases NL", listItem<Spans, 1, 1>);
    moreLines("PLUS PLUS phrases NL", listItem<Spans, 2, 2>);
    moreLines("PLUS MINUS phrases NL", listItem<Spans, 3, 2>);
    moreLines("PLUS PLUS PLUS phrases NL", listItem<Spans, 4, 3>);
    moreLines("PLUS MINUS MINUS phrases NL", listItem<Spans, 5, 3>);
    moreLines("PLUS PLUS MINUS phrases NL", listItem<Spans, 6, 3>);
    moreLines("PLUS MINUS PLUS phrases NL", listItem<Spans, 7, 3>);
    moreLines("MINUS phrases NL", listItem<Spans, 8, 1>);
    moreLines("MINUS MINUS phrases NL", listItem<Spans, 9, 2>);
    moreLines("MINUS PLUS phrases NL", listItem<Spans, 10, 2>);
    moreLines("MINUS MINUS MINUS phrases NL", listItem<Spans, 11, 3>);
    moreLines("MINUS PLUS PLUS phrases NL", listItem<Spans, 12, 3>);
    moreLines("MINUS PLUS MINUS phrases NL", listItem<Spans, 13, 3>);
    moreLines("MINUS MINUS PLUS phrases NL", listItem<Spans, 14, 3>);
    moreLines("MINUS MINUS MINUS MINUS NL", horizontalRule);
    g.rule("cells", "EXCL phrases cells", cellBefore<kHeaderCell>);
    g.rule("cells", "EXCL phrases", lastCell<kHeaderCell>);
    g.rule("cells", "BAR phrases cells", cellBefore<kDataCell>);
    g.rule("cells", "BAR phrases", lastCell<kDataCell>);
    g.rule("phrases", "", noPhrases);
    const auto morePhrases = [&g](const std::string& marks, RuleAction action) {
        g.rule("phrases", "phrases " + marks, action);
    };
    morePhrases("STRING", phrase<kTextPhrase, 0>);
    morePhrases("TILDE STRING TILDE", phrase<kPagePhrase, 1>);
    morePhrases("TILDE MINUS STRING TILDE", pageWithMinus);
    morePhrases("TILDE TILDE", phrase<kPagePhrase>);
    if (Spans) {
        morePhrases("TILDE EQ STRING TILDE", phrase<kPageFrontPhrase, 2>);
        morePhrases("TILDE ASTER STRING TILDE", phrase<kPageSpecialPhrase, 2>);
    }
    morePhrases("BACKQUOTE STRING BACKQUOTE STRING BACKQUOTE", phrase<kRubyPhrase, 1, 3>);
    morePhrases("SEMI", phrase<kLineBreakPhrase>);
    morePhrases("PERCENT STRING PERCENT STRING PERCENT", phrase<kImagePhrase, 1, 3>);
    morePhrases("SHARP STRING SHARP STRING SHARP", phrase<kAnchorPhrase, 1, 3>);
    morePhrases("CARET STRING CARET STRING CARET", phrase<kLinkPhrase, 1, 3>);
    morePhrases("DOLLAR RAW_TEXT DOLLAR", phrase<kRawPhrase, 1>);
    morePhrases("UNDER COMMENT_TEXT UNDER", phrase<kCommentPhrase, 1>);
    morePhrases("UNDER UNDER LINE_COMMENT_TEXT", phrase<kLineCommentPhrase, 2>);
    if (Spans) {
        morePhrases("STOP", phrase<kStopPhrase, 0>);
        morePhrases("STOP_CLOSE", phrase<kStopClosePhrase, 0>);
        morePhrases("CLOSE", phrase<kClosePhrase, 0>);
        morePhrases("SPAN_BREAK", phrase<kSpanBreakPhrase>);
    } else {
        morePhrases("AT MACRO_TEXT AT", phrase<kMacroPhrase, 1>);
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
