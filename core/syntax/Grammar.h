#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Orvane {

struct ReduceContext;

// What a rule does when it is reduced: reads the right-hand side values in
// the context, may call generator events, and leaves the left-hand side's
// value in the context's result.
using RuleAction = void (*)(ReduceContext& context);

// A context-free grammar written once in C++: terminals first (code 0 is the
// end of input), then nonterminals, then the rules in their numbered order.
// Symbols are named so that rules read like the grammar tables they mirror.
class Grammar {
public:
    struct Rule {
        int lhs;
        std::vector<int> rhs;
        RuleAction action;
    };

    // terminals[0] is the end of input; a terminal named "error" becomes the
    // grammar's error symbol. The first nonterminal is the start symbol,
    // which no right-hand side may name.
    Grammar(std::vector<std::string> terminals, std::vector<std::string> nonterminals);

    // Adds a rule; rhs is a space-separated list of symbol names, empty for
    // an empty right-hand side. Returns the rule number.
    int rule(std::string_view lhs, std::string_view rhs, RuleAction action = nullptr);

    int symbolOf(std::string_view name) const;  // -1 when unknown
    const std::string& nameOf(int symbol) const { return names_[symbol]; }

    int terminalCount() const { return terminalCount_; }
    int symbolCount() const { return static_cast<int>(names_.size()); }
    int startSymbol() const { return terminalCount_; }
    int errorSymbol() const { return errorSymbol_; }
    bool terminalP(int symbol) const { return symbol < terminalCount_; }
    const std::vector<Rule>& rules() const { return rules_; }

private:
    std::vector<std::string> names_;
    int terminalCount_;
    int errorSymbol_ = -1;
    std::vector<Rule> rules_;
};

} // namespace Orvane
