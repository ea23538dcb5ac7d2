#include "EmbeddedTables.h"

#include <stdexcept>
#include <string>

namespace Orvane {

#include "ParseTables.gen.inc"

namespace {
std::vector<int> copy(std::span<const int> s) { return {s.begin(), s.end()}; }
} // namespace

const EmbeddedTables& EmbeddedTables::spans() { return kSpansTables; }
const EmbeddedTables& EmbeddedTables::macros() { return kMacrosTables; }
const EmbeddedTables& EmbeddedTables::trace() { return kTraceTables; }

ParseTables EmbeddedTables::unpack(const Grammar& grammar) const {
    const auto& rules = grammar.rules();
    bool same = grammar.terminalCount() == terminalCount && rules.size() == static_cast<std::size_t>(ruleCount);
    for (std::size_t r = 0; same && r < rules.size(); ++r)
        same = rules[r].lhs == ruleLhs[r] && rules[r].rhs.size() == static_cast<std::size_t>(ruleRhsLength[r]);
    if (!same)
        throw std::logic_error(std::string("parse tables built from other rules; regenerate them: ") +
                               kRegenerateCommand);

    ParseTables t;
    t.stateCount = stateCount;
    t.ruleCount = ruleCount;
    t.terminalCount = terminalCount;
    t.symbolCodeCount = symbolCodeCount;
    t.errorSymbol = errorSymbol;
    t.shiftReduceConflicts = shiftReduceConflicts;
    t.reduceReduceConflicts = reduceReduceConflicts;
    t.action = copy(action);
    t.lookahead = copy(lookahead);
    t.shiftOffset = copy(shiftOffset);
    t.reduceOffset = copy(reduceOffset);
    t.defaultAction = copy(defaultAction);
    t.rules.reserve(rules.size());
    for (std::size_t r = 0; r < rules.size(); ++r) t.rules.push_back({ruleLhs[r], ruleRhsLength[r], rules[r].action});
    return t;
}

} // namespace Orvane
