#include "S1Grammar.h"

#include "../LalrBuilder.h"
#include "../ParseEngine.h"
#include "S1PhraseWalk.h"
#include "core/generator/Generator.h"

namespace Orvane {

namespace {

Token& at(ReduceContext& c, int i) { return c.rhs[i].value; }
const DString* textAt(ReduceContext& c, int i) { return at(c, i).value; }

void paragraphLine(ReduceContext& c) { S1PhraseWalk::paragraphLine(c.generator, at(c, 0).phrases); }

void tableRow(ReduceContext& c) {
    c.generator->beginTableRow();
    S1PhraseWalk::emitCells(c.generator, at(c, 0).cells);
    c.generator->endTableRow();
}

void titleLine(ReduceContext& c) { c.generator->setTitle(textAt(c, 1)); }

void splitWithTitle(ReduceContext& c) {
    c.generator->newOutput();
    c.generator->setTitle(textAt(c, 1));
}

// Heading of the given level; its phrases follow At marks.
template <int Level, int At>
void heading(ReduceContext& c) {
    c.generator->beginHeading(Level);
    c.generator->beginInline();
    S1PhraseWalk::emitPhrases(c.generator, at(c, At).phrases);
    c.generator->endInline();
    c.generator->endHeading(Level);
}

template <int State, int At>
void listItem(ReduceContext& c) {
    c.generator->listItem(State);
    c.generator->beginInline();
    S1PhraseWalk::emitPhrases(c.generator, at(c, At).phrases);
    c.generator->endInline();
    c.generator->setListState(State);
}

void horizontalRule(ReduceContext& c) { c.generator->horizontalRule(); }

template <int Kind>
void cellBefore(ReduceContext& c) {
    c.result.cells = new S1Cell(at(c, 1).phrases, Kind, at(c, 2).cells);
    at(c, 1).phrases = nullptr;
    at(c, 2).cells = nullptr;
}

template <int Kind>
void lastCell(ReduceContext& c) {
    c.result.cells = new S1Cell(at(c, 1).phrases, Kind, nullptr);
    at(c, 1).phrases = nullptr;
}

void noPhrases(ReduceContext& c) { c.result.phrases = new S1Phrase(); }

void morePhrases(ReduceContext& c) {
    S1Phrase* p = at(c, 1).phrases;
    p->previous = at(c, 0).phrases;
    at(c, 0).phrases = nullptr;
    at(c, 1).phrases = nullptr;
    c.result.phrases = p;
}

// A phrase of the kind whose texts are the values at A and B (-1: none).
template <int Kind, int A = -1, int B = -1>
void phrase(ReduceContext& c) {
    DString* t1 = A >= 0 ? at(c, A).takeValue() : nullptr;
    DString* t2 = B >= 0 ? at(c, B).takeValue() : nullptr;
    c.result.phrases = new S1Phrase(Kind, t1, t2);
}

void pageWithMinus(ReduceContext& c) {
    DString* t = at(c, 2).takeValue();
    if (t) t->insert(t->begin(), static_cast<unsigned short>(u'-'));
    c.result.phrases = new S1Phrase(kS1PagePhrase, t);
}

} // namespace

Grammar S1Grammar::make() {
    Grammar g({"$", "NL", "EQ", "STRING", "AMP", "ASTER", "BLACK_SQUARE", "WHITE_SQUARE",
               "BLACK_DIAMOND", "WHITE_DIAMOND", "BLACK_CIRCLE", "WHITE_CIRCLE", "PLUS", "MINUS",
               "EXCL", "BAR", "TILDE", "BACKQUOTE", "SEMI", "PERCENT", "SHARP", "CARET", "DOLLAR",
               "RAW_TEXT", "UNDER", "COMMENT_TEXT", "LINE_COMMENT_TEXT", "AT", "MACRO_TEXT", "error"},
              {"src", "lines", "line", "phrases", "phrase", "cells"});
    g.rule("src", "lines");
    g.rule("lines", "");
    g.rule("lines", "lines line");
    g.rule("line", "phrases NL", paragraphLine);
    g.rule("line", "cells NL", tableRow);
    g.rule("line", "EQ STRING NL", titleLine);
    g.rule("line", "AMP STRING NL", splitWithTitle);
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
    g.rule("line", "PLUS phrases NL", listItem<1, 1>);
    g.rule("line", "PLUS PLUS phrases NL", listItem<2, 2>);
    g.rule("line", "PLUS MINUS phrases NL", listItem<3, 2>);
    g.rule("line", "PLUS PLUS PLUS phrases NL", listItem<4, 3>);
    g.rule("line", "PLUS MINUS MINUS phrases NL", listItem<5, 3>);
    g.rule("line", "PLUS PLUS MINUS phrases NL", listItem<6, 3>);
    g.rule("line", "PLUS MINUS PLUS phrases NL", listItem<7, 3>);
    g.rule("line", "MINUS phrases NL", listItem<8, 1>);
    g.rule("line", "MINUS MINUS phrases NL", listItem<9, 2>);
    g.rule("line", "MINUS PLUS phrases NL", listItem<10, 2>);
    g.rule("line", "MINUS MINUS MINUS phrases NL", listItem<11, 3>);
    g.rule("line", "MINUS PLUS PLUS phrases NL", listItem<12, 3>);
    g.rule("line", "MINUS PLUS MINUS phrases NL", listItem<13, 3>);
    g.rule("line", "MINUS MINUS PLUS phrases NL", listItem<14, 3>);
    g.rule("line", "MINUS MINUS MINUS MINUS NL", horizontalRule);
    g.rule("cells", "EXCL phrases cells", cellBefore<kHeaderCell>);
    g.rule("cells", "EXCL phrases", lastCell<kHeaderCell>);
    g.rule("cells", "BAR phrases cells", cellBefore<kDataCell>);
    g.rule("cells", "BAR phrases", lastCell<kDataCell>);
    g.rule("phrases", "", noPhrases);
    g.rule("phrases", "phrases phrase", morePhrases);
    g.rule("phrase", "STRING", phrase<kS1TextPhrase, 0>);
    g.rule("phrase", "TILDE STRING TILDE", phrase<kS1PagePhrase, 1>);
    g.rule("phrase", "TILDE MINUS STRING TILDE", pageWithMinus);
    g.rule("phrase", "TILDE TILDE", phrase<kS1PagePhrase>);
    g.rule("phrase", "BACKQUOTE STRING BACKQUOTE STRING BACKQUOTE", phrase<kS1RubyPhrase, 1, 3>);
    g.rule("phrase", "SEMI", phrase<kS1LineBreakPhrase>);
    g.rule("phrase", "PERCENT STRING PERCENT STRING PERCENT", phrase<kS1ImagePhrase, 1, 3>);
    g.rule("phrase", "SHARP STRING SHARP STRING SHARP", phrase<kS1AnchorPhrase, 1, 3>);
    g.rule("phrase", "CARET STRING CARET STRING CARET", phrase<kS1LinkPhrase, 1, 3>);
    g.rule("phrase", "DOLLAR RAW_TEXT DOLLAR", phrase<kS1RawPhrase, 1>);
    g.rule("phrase", "UNDER COMMENT_TEXT UNDER", phrase<kS1CommentPhrase, 1>);
    g.rule("phrase", "UNDER UNDER LINE_COMMENT_TEXT", phrase<kS1LineCommentPhrase, 2>);
    g.rule("phrase", "AT MACRO_TEXT AT", phrase<kS1MacroPhrase, 1>);
    return g;
}

const ParseTables& S1Grammar::tables() {
    static const ParseTables t = LalrBuilder(make()).build();
    return t;
}

} // namespace Orvane
