#pragma once

#include <vector>

#include "Grammar.h"

namespace Orvane {

// The packed LALR(1) tables of one grammar. An action number n means:
//   n < stateCount                   shift (or goto) to state n
//   stateCount <= n < errorAction    reduce by rule n - stateCount
//   errorAction                      syntax error
//   acceptAction                     accept
// The action of state s on symbol t sits at offset[s] + t when the lookahead
// table holds t there; otherwise the state's default action applies
// (terminals) or there is none (nonterminals).
class ParseTables {
public:
    struct RuleInfo {
        int lhs;
        int rhsLength;
        RuleAction action;
    };

    static constexpr int kNoOffset = -0x40000000;

    int findShiftAction(int state, int terminal) const {
        const int off = shiftOffset[state];
        if (off != kNoOffset) {
            const int i = off + terminal;
            if (i >= 0 && i < static_cast<int>(lookahead.size()) && lookahead[i] == terminal) return action[i];
        }
        return defaultAction[state];
    }
    int findReduceAction(int state, int nonterminal) const {
        const int off = reduceOffset[state];
        if (off != kNoOffset) {
            const int i = off + nonterminal;
            if (i >= 0 && i < static_cast<int>(lookahead.size()) && lookahead[i] == nonterminal) return action[i];
        }
        return errorAction();
    }

    int errorAction() const { return stateCount + ruleCount; }
    int acceptAction() const { return stateCount + ruleCount + 1; }
    bool shiftP(int act) const { return act < stateCount; }
    bool reduceP(int act) const { return act >= stateCount && act < stateCount + ruleCount; }

    int stateCount = 0;
    int ruleCount = 0;
    int terminalCount = 0;
    int symbolCodeCount = 0;  // every symbol plus one, the "no symbol" code
    int errorSymbol = -1;
    int shiftReduceConflicts = 0;
    int reduceReduceConflicts = 0;

    std::vector<int> action;
    std::vector<int> lookahead;
    std::vector<int> shiftOffset;
    std::vector<int> reduceOffset;
    std::vector<int> defaultAction;
    std::vector<RuleInfo> rules;
};

} // namespace Orvane
