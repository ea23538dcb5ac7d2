// The LALR(1) construction and the parse engine on small textbook grammars,
// the markup grammars built to their known sizes, and the embedded tables
// the same as those built.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "core/syntax/EmbeddedTables.h"
#include "core/syntax/Grammar.h"
#include "core/syntax/LalrBuilder.h"
#include "core/syntax/ParseEngine.h"
#include "core/syntax/markup/MarkupGrammar.h"
#include "core/syntax/s0/S0Grammar.h"
#include "support/Files.h"

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

// Every rule records its number when it is reduced.
Grammar grammar(std::vector<std::string> terminals, std::vector<std::string> nonterminals,
                const std::vector<std::pair<const char*, const char*>>& rules, RuleAction action = record) {
    Grammar g(std::move(terminals), std::move(nonterminals));
    for (const auto& [lhs, rhs] : rules) g.rule(lhs, rhs, action);
    return g;
}

// An engine whose hooks and reductions go to its trace.
struct Session {
    Trace trace;
    ParseEngine engine;
    explicit Session(const ParseTables& t) : engine(t, &trace) { engine.setHooks(onAccept, onFailure); }
    void feed(int code) {
        Token t(code);
        engine.feed(&t, nullptr);
    }
};

// Feeds the codes, then the end of input.
Trace run(const ParseTables& tables, const std::vector<int>& codes) {
    Session r(tables);
    for (int c : codes) r.feed(c);
    r.feed(0);
    return r.trace;
}

ParseTables build(const Grammar& g) { return LalrBuilder(g).build(); }

// S -> L = R | R ; L -> * R | id ; R -> L.  LALR(1) but not SLR(1): with
// FOLLOW sets, "R -> L ." would reduce on "=" where L = R must shift.
Grammar pointerGrammar() {
    return grammar({"$", "EQ", "STAR", "ID"}, {"S", "L", "R"},
                   {{"S", "L EQ R"}, {"S", "R"}, {"L", "STAR R"}, {"L", "ID"}, {"R", "L"}});
}

// LR(1) but not LALR(1): merging the two "A -> c . / B -> c ." states
// gives reduce/reduce conflicts on d and e.
Grammar mergeConflictGrammar() {
    return grammar({"$", "a", "b", "c", "d", "e"}, {"S", "A", "B"},
                   {{"S", "a A d"}, {"S", "b B d"}, {"S", "a B e"}, {"S", "b A e"}, {"A", "c"}, {"B", "c"}});
}

// S -> A x | A y | B z ; A -> a ; B -> a.  After "a", A -> a applies on two
// lookaheads and B -> a on one.
Grammar defaultGrammar() {
    return grammar({"$", "x", "y", "z", "a", "q"}, {"S", "A", "B"},
                   {{"S", "A x"}, {"S", "A y"}, {"S", "B z"}, {"A", "a"}, {"B", "a"}});
}

// Lines of words, with the empty list in front: the shape of every markup
// grammar here; optionally with an error rule for a line.
Grammar linesGrammar(bool errorRule = false) {
    Grammar g = grammar({"$", "NL", "WORD", "error"}, {"src", "lines", "line"},
                        {{"src", "lines"}, {"lines", ""}, {"lines", "lines line"}, {"line", "WORD NL"}});
    if (errorRule) g.rule("line", "error NL", record);
    return g;
}

} // namespace

// The pointer grammar needs LALR(1) lookaheads, not FOLLOW sets; the
// merge grammar loses to LALR's state merging, the earlier rule winning.
TEST(LalrBuilder, ConflictsAreThoseOfLalr) {
    const ParseTables pointer = build(pointerGrammar());
    EXPECT_EQ(pointer.stateCount, 9);  // the textbook's ten less the accept state
    EXPECT_EQ(pointer.shiftReduceConflicts + pointer.reduceReduceConflicts, 0);
    const ParseTables merged = build(mergeConflictGrammar());
    EXPECT_EQ(merged.shiftReduceConflicts, 0);
    EXPECT_EQ(merged.reduceReduceConflicts, 2);
}

TEST(LalrBuilder, DefaultReductionIsTheMostFrequentOne) {
    const ParseTables t = build(defaultGrammar());
    const int afterA = t.findShiftAction(0, 4);
    ASSERT_TRUE(t.shiftP(afterA));
    EXPECT_EQ(t.defaultAction[afterA], t.stateCount + 3);       // A -> a
    EXPECT_EQ(t.findShiftAction(afterA, 3), t.stateCount + 4);  // B -> a stays explicit on z
    EXPECT_EQ(t.findShiftAction(afterA, 5), t.stateCount + 3);  // q: the default
}

TEST(LalrBuilder, ReductionToTheStartSymbolIsNeverTheDefault) {
    const ParseTables t = build(linesGrammar());
    EXPECT_EQ(t.stateCount, 5);
    EXPECT_EQ(t.defaultAction[0], t.stateCount + 1);  // lines -> (empty), on $ and WORD
    const int afterLines = t.findReduceAction(0, 5);
    ASSERT_TRUE(t.shiftP(afterLines));
    EXPECT_EQ(t.defaultAction[afterLines], t.errorAction());
    EXPECT_EQ(t.findShiftAction(afterLines, 0), t.stateCount + 0);
    EXPECT_EQ(t.findReduceAction(0, 4), t.acceptAction());
    EXPECT_EQ(t.symbolCodeCount, 8);
}

TEST(ParseEngine, RunsOnTheBuiltTables) {
    const struct {
        const char* what;
        Grammar (*make)();
        std::vector<int> codes;
        int accepts, failures;
        std::vector<int> reduced;
    } runs[] = {
        {"id = * id", pointerGrammar, {3, 1, 2, 3}, 1, 0, {3, 3, 4, 2, 4, 0}},
        {"= id: the = fails and is dropped, id parses afresh", pointerGrammar, {1, 3}, 1, 1, {3, 4, 1}},
        {"a c d: A -> c wins, which this input needs", mergeConflictGrammar, {1, 3, 4}, 1, 0, {4, 0}},
        {"a c e needs B -> c, which lost", mergeConflictGrammar, {1, 3, 5}, 0, 1, {4}},
        {"a z", defaultGrammar, {4, 3}, 1, 0, {4, 2}},
        {"a q: the default reduction before the error shows", defaultGrammar, {4, 5}, 0, 1, {3}},
        {"end of input inside a line", [] { return linesGrammar(); }, {2, 1, 2}, 0, 1, {1, 3, 2}},
        {"WORD WORD NL resumes at the error rule", [] { return linesGrammar(true); }, {2, 2, 1, 2, 1}, 1, 0,
         {1, 4, 2, 3, 2, 0}},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.what);
        const ParseTables t = build(r.make());
        const Trace trace = run(t, r.codes);
        EXPECT_EQ(trace.accepts, r.accepts);
        EXPECT_EQ(trace.failures, r.failures);
        EXPECT_EQ(trace.reduced, r.reduced);
    }
    const ParseTables withErrorRule = build(linesGrammar(true));
    EXPECT_EQ(withErrorRule.shiftReduceConflicts + withErrorRule.reduceReduceConflicts, 0);
}

TEST(ParseEngine, ErrorEmptiesTheStackDropsTheTokenAndRestarts) {
    const ParseTables t = build(linesGrammar());
    Session r(t);
    ParseEngine& e = r.engine;
    const Trace& trace = r.trace;
    auto give = [&](int code) {
        Token t(code, code == 2 ? new DString(DString::fromAscii("w")) : nullptr);
        e.feed(&t, nullptr);
        return t.value != nullptr;  // still owned by the caller?
    };
    EXPECT_EQ(e.top(), -1);
    give(0);  // end of input on an empty stack: nothing happens
    EXPECT_EQ(e.top(), -1);
    EXPECT_TRUE(trace.reduced.empty());
    EXPECT_FALSE(give(2));  // shifted: the engine took the text
    EXPECT_EQ(e.errorCount(), -2);
    EXPECT_TRUE(give(2));  // WORD WORD: error, the token is dropped
    EXPECT_EQ(e.top(), -1);
    EXPECT_EQ(e.errorCount(), 3);
    EXPECT_EQ(trace.failures, 1);
    give(2);
    give(1);  // a fresh parse: WORD NL is a line
    give(0);
    EXPECT_EQ(trace.accepts, 1);
    EXPECT_EQ(trace.reduced, (std::vector<int>{1, 1, 3, 2, 0}));
}

TEST(ParseEngine, StackGrowsToItsLimitAndOverflowsBeyond) {
    // Right recursion: every x stays on the stack until the end.
    const ParseTables t = build(grammar({"$", "x"}, {"S", "L"}, {{"S", "L"}, {"L", "x L"}, {"L", "x"}}, nullptr));
    Session r(t);
    ParseEngine& e = r.engine;
    const Trace& trace = r.trace;
    Token x(1), end(0);
    // State 0 plus one entry per x: right recursion far past any fixed
    // small stack.
    for (std::size_t i = 0; i + 1 < ParseEngine::kStackLimit; ++i) e.feed(&x, nullptr);
    EXPECT_EQ(e.top(), static_cast<int>(ParseEngine::kStackLimit) - 1);
    e.feed(&x, nullptr);  // would need one entry more
    EXPECT_EQ(e.top(), -1);
    EXPECT_EQ(trace.failures, 0);
    e.feed(&x, nullptr);  // and the next token starts afresh
    e.feed(&end, nullptr);
    EXPECT_EQ(trace.accepts, 1);
}

TEST(Grammar, RejectsMisspeltSymbolsAndARecursiveStart) {
    Grammar g({"$", "x"}, {"S", "L"});
    EXPECT_THROW(g.rule("S", "L y"), std::invalid_argument);
    EXPECT_THROW(g.rule("x", "L"), std::invalid_argument);
    EXPECT_THROW(g.rule("L", "x S"), std::invalid_argument);
    EXPECT_EQ(g.rule("S", "L"), 0);
}

// The three grammars build without conflicts to the sizes their engines
// are known by (states, rules, symbol codes, error symbol).
TEST(GrammarSize, GrammarsBuildToTheirKnownSizes) {
    const struct {
        Grammar grammar;
        int states, rules, symbolCodes, errorSymbol;
    } sizes[] = {
        {S0Grammar::make(), 23, 11, 14, 7},
        {MarkupGrammar::make(false), 138, 51, 35, 29},
        {MarkupGrammar::make(true), 146, 57, 37, 31},
    };
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.states);
        const ParseTables t = LalrBuilder(s.grammar).build();
        EXPECT_EQ(t.stateCount, s.states);
        EXPECT_EQ(t.ruleCount, s.rules);
        EXPECT_EQ(t.symbolCodeCount, s.symbolCodes);
        EXPECT_EQ(t.errorSymbol, s.errorSymbol);
        EXPECT_EQ(t.shiftReduceConflicts + t.reduceReduceConflicts, 0);
    }
}

// The tables the parsers run on are unpacked from the generated file; a
// grammar changed without regenerating it shows here, field by field.
TEST(EmbeddedTables, AreThoseTheBuilderMakesOfTodaysGrammars) {
    const struct {
        const char* name;
        Grammar grammar;
        const ParseTables& (*embedded)();
    } grammars[] = {
        {"spans", MarkupGrammar::make(true), []() -> const ParseTables& { return MarkupGrammar::tables(true); }},
        {"macros", MarkupGrammar::make(false), []() -> const ParseTables& { return MarkupGrammar::tables(false); }},
        {"trace", S0Grammar::make(), S0Grammar::tables},
    };
    for (const auto& g : grammars) {
        const ParseTables built = LalrBuilder(g.grammar).build();
        const ParseTables& embedded = g.embedded();
        const auto same = [&](const char* field, const auto& a, const auto& b) {
            EXPECT_TRUE(a == b) << g.name << " tables differ in " << field
                                << "; regenerate them: " << EmbeddedTables::kRegenerateCommand;
        };
#define QM_SAME_FIELD(field) same(#field, embedded.field, built.field)
        QM_SAME_FIELD(stateCount);
        QM_SAME_FIELD(ruleCount);
        QM_SAME_FIELD(terminalCount);
        QM_SAME_FIELD(symbolCodeCount);
        QM_SAME_FIELD(errorSymbol);
        QM_SAME_FIELD(shiftReduceConflicts);
        QM_SAME_FIELD(reduceReduceConflicts);
        QM_SAME_FIELD(action);
        QM_SAME_FIELD(lookahead);
        QM_SAME_FIELD(shiftOffset);
        QM_SAME_FIELD(reduceOffset);
        QM_SAME_FIELD(defaultAction);
        ASSERT_EQ(embedded.rules.size(), built.rules.size());
        for (std::size_t r = 0; r < built.rules.size(); ++r) {
            SCOPED_TRACE(r);
            QM_SAME_FIELD(rules[r].lhs);
            QM_SAME_FIELD(rules[r].rhsLength);
            QM_SAME_FIELD(rules[r].action);
        }
#undef QM_SAME_FIELD
    }
}

// Rules other than those the tables were built from are refused, naming
// the command that regenerates them.
TEST(EmbeddedTables, RefuseOtherRules) {
    Grammar oneRuleMore = S0Grammar::make();
    oneRuleMore.rule("line", "STRING STRING NL");
    Grammar otherTerminals({"$", "x"}, {"S"});
    otherTerminals.rule("S", "x");
    for (const Grammar* g : {&oneRuleMore, &otherTerminals}) {
        try {
            EmbeddedTables::trace().unpack(*g);
            ADD_FAILURE() << "unpacked";
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find(EmbeddedTables::kRegenerateCommand), std::string::npos);
        }
    }
}

// The item sets, lookaheads and actions of the span-aware grammar, kept for
// review: any change to the grammar or the construction shows here first.
// QM_UPDATE_GOLDEN=1 rewrites the file.
TEST(GrammarSize, SpanAwareStateReportMatchesTheGolden) {
    const std::string path = std::string(QM_TEST_DIR) + "/data/syntax/span-aware-grammar.report";
    std::string report;
    LalrBuilder(MarkupGrammar::make(true)).build(&report);
    if (std::getenv("QM_UPDATE_GOLDEN")) qmtest::writeBytes(path, report);
    EXPECT_TRUE(qmtest::readBytes(path) == report) << "state report differs from " << path;
}
