#include "S0Grammar.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "../EmbeddedTables.h"
#include "../ParseEngine.h"
#include "S0Lexer.h"
#include "core/generator/Generator.h"

namespace Orvane {

namespace {

const DString* textAt(ReduceContext& c, int i) { return c.rhs[i].value.value; }

// The trace lines keep their historical numbering and wording, which is
// not the numbering of the rules below.
template <const char* Line>
void trace(ReduceContext&) { std::fputs(Line, stdout); }

constexpr char kSrc[] = "RULE 0: src ::= lines .\n";
constexpr char kNoLines[] = "RULE 1: lines ::= . \n";
constexpr char kMoreLines[] = "RULE 2: lines ::= lines line .\n";
constexpr char kLine[] = "RULE 3: line ::= phrases NL .\n";
constexpr char kHeading[] = "RULE 6: line ::= ASTER phrases NL .\n";
constexpr char kNoPhrases[] = "RULE 8: phrases ::= .\n";
constexpr char kMorePhrases[] = "RULE 9: phrases ::= phrase phrases .\n";

void titleLine(ReduceContext& c) {
    std::fputs("RULE 7: line ::= EQ STRING NL .\n", stdout);
    c.generator->setTitle(textAt(c, 1));
}

void textPhrase(ReduceContext& c) {
    std::fputs("RULE 10: phrase_exp ::= STRING .\n", stdout);
    c.generator->text(textAt(c, 0));
}

void anchorPhrase(ReduceContext& c) {
    std::fputs("RULE 11: phrase_exp ::= SHARP STRING SHARP STRING SHARP .\n", stdout);
    c.generator->anchor(textAt(c, 1), textAt(c, 3));
}

void linkPhrase(ReduceContext& c) {
    std::fputs("RULE 12: phrase_exp ::= AMP STRING AMP STRING AMP .\n", stdout);
    c.generator->link(textAt(c, 1), textAt(c, 3));
}

} // namespace

Grammar S0Grammar::make() {
    std::vector<std::string> terminals(std::begin(kS0TokenNames), std::end(kS0TokenNames));
    terminals.push_back("error");
    Grammar g(std::move(terminals), {"src", "lines", "line", "phrases", "phrase_exp"});
    g.rule("src", "lines", trace<kSrc>);
    g.rule("lines", "", trace<kNoLines>);
    g.rule("lines", "lines line", trace<kMoreLines>);
    g.rule("line", "phrases NL", trace<kLine>);
    g.rule("line", "ASTER phrases NL", trace<kHeading>);
    g.rule("line", "EQ STRING NL", titleLine);
    g.rule("phrases", "", trace<kNoPhrases>);
    g.rule("phrases", "phrases phrase_exp", trace<kMorePhrases>);
    g.rule("phrase_exp", "STRING", textPhrase);
    g.rule("phrase_exp", "SHARP STRING SHARP STRING SHARP", anchorPhrase);
    g.rule("phrase_exp", "AMP STRING AMP STRING AMP", linkPhrase);
    return g;
}

const ParseTables& S0Grammar::tables() {
    static const ParseTables t = EmbeddedTables::trace().unpack(make());
    return t;
}

} // namespace Orvane
