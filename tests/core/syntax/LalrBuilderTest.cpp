// The LALR(1) construction and the parse engine on small textbook grammars.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/syntax/Grammar.h"
#include "core/syntax/LalrBuilder.h"
#include "core/syntax/ParseEngine.h"

using namespace Orvane;

namespace {

struct Trace {
    std::vector<int> reduced;
    int accepts = 0;
    int failures = 0;
};

void record(ReduceContext& c) { static_cast<Trace*>(c.user)->reduced.push_back(c.rule); }
void onAccept(void* u) { ++static_cast<Trace*>(u)->accepts; }
void onFailure(void* u) { ++static_cast<Trace*>(u)->failures; }

// Feeds the codes (then the end of input) and reports accept or failure.
struct Harness {
    Trace trace;
    ParseTables tables;
    explicit Harness(const Grammar& g) : tables(LalrBuilder(g).build()) {}
    void feed(const std::vector<int>& codes, bool end = true) {
        ParseEngine e(tables, &trace);
        e.setHooks(onAccept, onFailure);
        for (int c : codes) {
            Token t(c);
            e.feed(&t, nullptr);
        }
        if (end) {
            Token t(0);
            e.feed(&t, nullptr);
        }
    }
};

// S -> L = R | R ; L -> * R | id ; R -> L.  LALR(1) but not SLR(1): with
// FOLLOW sets, "R -> L ." would reduce on "=" where L = R must shift.
Grammar pointerGrammar() {
    Grammar g({"$", "EQ", "STAR", "ID"}, {"S", "L", "R"});
    g.rule("S", "L EQ R", record);
    g.rule("S", "R", record);
    g.rule("L", "STAR R", record);
    g.rule("L", "ID", record);
    g.rule("R", "L", record);
    return g;
}

// LR(1) but not LALR(1): merging the two "A -> c . / B -> c ." states
// gives reduce/reduce conflicts on d and e.
Grammar mergeConflictGrammar() {
    Grammar g({"$", "a", "b", "c", "d", "e"}, {"S", "A", "B"});
    g.rule("S", "a A d", record);
    g.rule("S", "b B d", record);
    g.rule("S", "a B e", record);
    g.rule("S", "b A e", record);
    g.rule("A", "c", record);
    g.rule("B", "c", record);
    return g;
}

// S -> A x | A y | B z ; A -> a ; B -> a.  After "a", A -> a applies on two
// lookaheads and B -> a on one.
Grammar defaultGrammar() {
    Grammar g({"$", "x", "y", "z", "a", "q"}, {"S", "A", "B"});
    g.rule("S", "A x", record);
    g.rule("S", "A y", record);
    g.rule("S", "B z", record);
    g.rule("A", "a", record);
    g.rule("B", "a", record);
    return g;
}

// Lines of words, with the empty list in front: the shape of every markup
// grammar here.
Grammar linesGrammar() {
    Grammar g({"$", "NL", "WORD", "error"}, {"src", "lines", "line"});
    g.rule("src", "lines", record);
    g.rule("lines", "", record);
    g.rule("lines", "lines line", record);
    g.rule("line", "WORD NL", record);
    return g;
}

// Right recursion: every x stays on the stack until the end.
Grammar rightGrammar() {
    Grammar g({"$", "x"}, {"S", "L"});
    g.rule("S", "L");
    g.rule("L", "x L");
    g.rule("L", "x");
    return g;
}

} // namespace

TEST(LalrBuilder, LalrGrammarThatIsNotSlrHasNoConflict) {
    Harness r(pointerGrammar());
    EXPECT_EQ(r.tables.stateCount, 9);  // the textbook's ten less the accept state
    EXPECT_EQ(r.tables.shiftReduceConflicts, 0);
    EXPECT_EQ(r.tables.reduceReduceConflicts, 0);
    r.feed({3, 1, 2, 3});  // id = * id
    EXPECT_EQ(r.trace.accepts, 1);
    EXPECT_EQ(r.trace.reduced, (std::vector<int>{3, 3, 4, 2, 4, 0}));
    Harness bad(pointerGrammar());
    bad.feed({1, 3});  // = id: the "=" fails and is dropped, "id" parses afresh
    EXPECT_EQ(bad.trace.failures, 1);
    EXPECT_EQ(bad.trace.reduced, (std::vector<int>{3, 4, 1}));
}

TEST(LalrBuilder, ReduceReduceConflictKeepsTheEarlierRule) {
    Harness r(mergeConflictGrammar());
    EXPECT_EQ(r.tables.shiftReduceConflicts, 0);
    EXPECT_EQ(r.tables.reduceReduceConflicts, 2);
    r.feed({1, 3, 4});  // a c d: A -> c wins, which this input needs
    EXPECT_EQ(r.trace.accepts, 1);
    Harness r2(mergeConflictGrammar());
    r2.feed({1, 3, 5});  // a c e needs B -> c, which lost
    EXPECT_EQ(r2.trace.accepts, 0);
    EXPECT_EQ(r2.trace.failures, 1);
    EXPECT_EQ(r2.trace.reduced, (std::vector<int>{4}));
}

TEST(LalrBuilder, DefaultReductionIsTheMostFrequentOne) {
    Harness r(defaultGrammar());
    const ParseTables& t = r.tables;
    const int afterA = t.findShiftAction(0, 4);
    ASSERT_TRUE(t.shiftP(afterA));
    EXPECT_EQ(t.defaultAction[afterA], t.stateCount + 3);          // A -> a
    EXPECT_EQ(t.findShiftAction(afterA, 3), t.stateCount + 4);     // B -> a stays explicit on z
    EXPECT_EQ(t.findShiftAction(afterA, 5), t.stateCount + 3);     // q: the default
    r.feed({4, 3});  // a z
    EXPECT_EQ(r.trace.accepts, 1);
    // An unexpected token still takes the default reduction before the
    // error shows.
    Harness q(defaultGrammar());
    q.feed({4, 5});
    EXPECT_EQ(q.trace.reduced, (std::vector<int>{3}));
    EXPECT_EQ(q.trace.failures, 1);
}

TEST(LalrBuilder, ReductionToTheStartSymbolIsNeverTheDefault) {
    Harness r(linesGrammar());
    const ParseTables& t = r.tables;
    EXPECT_EQ(t.stateCount, 5);
    EXPECT_EQ(t.defaultAction[0], t.stateCount + 1);  // lines -> (empty), on $ and WORD
    const int afterLines = t.findReduceAction(0, 5);
    ASSERT_TRUE(t.shiftP(afterLines));
    EXPECT_EQ(t.defaultAction[afterLines], t.errorAction());
    EXPECT_EQ(t.findShiftAction(afterLines, 0), t.stateCount + 0);
    EXPECT_EQ(t.findReduceAction(0, 4), t.acceptAction());
    EXPECT_EQ(t.symbolCodeCount, 8);
}

TEST(ParseEngine, ErrorEmptiesTheStackDropsTheTokenAndRestarts) {
    Harness r(linesGrammar());
    ParseEngine e(r.tables, &r.trace);
    e.setHooks(onAccept, onFailure);
    auto give = [&](int code) {
        Token t(code, code == 2 ? new DString(DString::fromAscii("w")) : nullptr);
        e.feed(&t, nullptr);
        return t.value != nullptr;  // still owned by the caller?
    };
    EXPECT_EQ(e.top(), -1);
    give(0);  // end of input on an empty stack: nothing happens
    EXPECT_EQ(e.top(), -1);
    EXPECT_TRUE(r.trace.reduced.empty());
    EXPECT_FALSE(give(2));  // shifted: the engine took the text
    EXPECT_EQ(e.errorCount(), -2);
    EXPECT_TRUE(give(2));   // WORD WORD: error, the token is dropped
    EXPECT_EQ(e.top(), -1);
    EXPECT_EQ(e.errorCount(), 3);
    EXPECT_EQ(r.trace.failures, 1);
    give(2);
    give(1);  // a fresh parse: WORD NL is a line
    give(0);
    EXPECT_EQ(r.trace.accepts, 1);
    EXPECT_EQ(r.trace.reduced, (std::vector<int>{1, 1, 3, 2, 0}));
}

TEST(ParseEngine, EndOfInputInsideAConstructEmptiesTheStack) {
    Harness r(linesGrammar());
    r.feed({2, 1, 2});
    EXPECT_EQ(r.trace.accepts, 0);
    EXPECT_EQ(r.trace.failures, 1);
    EXPECT_EQ(r.trace.reduced, (std::vector<int>{1, 3, 2}));
}

TEST(ParseEngine, StackGrowsToItsLimitAndOverflowsBeyond) {
    Harness r(rightGrammar());
    ParseEngine e(r.tables, &r.trace);
    e.setHooks(onAccept, onFailure);
    Token x(1);
    // State 0 plus one entry per x: deep right recursion far past any
    // fixed small stack still parses.
    for (int i = 0; i < 50000; ++i) e.feed(&x, nullptr);
    EXPECT_EQ(e.top(), 50000);
    Token end(0);
    e.feed(&end, nullptr);
    EXPECT_EQ(r.trace.accepts, 1);

    for (std::size_t i = 0; i + 1 < ParseEngine::kStackLimit; ++i) e.feed(&x, nullptr);
    EXPECT_EQ(e.top(), static_cast<int>(ParseEngine::kStackLimit) - 1);
    e.feed(&x, nullptr);  // would need one entry more
    EXPECT_EQ(e.top(), -1);
    EXPECT_EQ(r.trace.failures, 0);
    e.feed(&x, nullptr);  // and the next token starts afresh
    e.feed(&end, nullptr);
    EXPECT_EQ(r.trace.accepts, 2);
}

TEST(ParseEngine, GrammarWithAnErrorRuleResumesThere) {
    Grammar g({"$", "NL", "WORD", "error"}, {"src", "lines", "line"});
    g.rule("src", "lines", record);
    g.rule("lines", "", record);
    g.rule("lines", "lines line", record);
    g.rule("line", "WORD NL", record);
    g.rule("line", "error NL", record);
    Harness r(g);
    EXPECT_EQ(r.tables.shiftReduceConflicts + r.tables.reduceReduceConflicts, 0);
    r.feed({2, 2, 1, 2, 1});  // WORD WORD NL: the second WORD is an error
    EXPECT_EQ(r.trace.failures, 0);
    EXPECT_EQ(r.trace.accepts, 1);
    EXPECT_EQ(r.trace.reduced, (std::vector<int>{1, 4, 2, 3, 2, 0}));
}

TEST(Grammar, RejectsMisspeltSymbolsAndARecursiveStart) {
    Grammar g({"$", "x"}, {"S", "L"});
    EXPECT_THROW(g.rule("S", "L y"), std::invalid_argument);
    EXPECT_THROW(g.rule("x", "L"), std::invalid_argument);
    EXPECT_THROW(g.rule("L", "x S"), std::invalid_argument);
    EXPECT_EQ(g.rule("S", "L"), 0);
}
