#pragma once

#include <span>

#include "Grammar.h"
#include "ParseTables.h"

namespace Orvane {

// The LALR(1) tables of the program's grammars, built ahead of time by
// tools/gen_parse_tables (LalrBuilder on each grammar) and compiled in, so
// that no run pays for the construction. They hold everything but the
// rules' actions, which are function pointers: those come from the grammar
// when the tables are unpacked.
struct EmbeddedTables {
    static constexpr const char* kRegenerateCommand =
        "cmake --build build --target gen_parse_tables && "
        "build/tools/gen_parse_tables core/syntax/ParseTables.gen.inc";

    static const EmbeddedTables& spans();   // MarkupGrammar::make(true)
    static const EmbeddedTables& macros();  // MarkupGrammar::make(false)
    static const EmbeddedTables& trace();   // S0Grammar::make()

    // The parse tables, each rule with its action from grammar. Throws
    // std::logic_error when grammar's rules are not those the tables were
    // built from: the file needs regenerating.
    ParseTables unpack(const Grammar& grammar) const;

    int stateCount;
    int ruleCount;
    int terminalCount;
    int symbolCodeCount;
    int errorSymbol;
    int shiftReduceConflicts;
    int reduceReduceConflicts;

    std::span<const int> action;
    std::span<const int> lookahead;
    std::span<const int> shiftOffset;
    std::span<const int> reduceOffset;
    std::span<const int> defaultAction;
    std::span<const int> ruleLhs;
    std::span<const int> ruleRhsLength;
};

} // namespace Orvane
