#include "Grammar.h"

#include <stdexcept>

namespace Orvane {

Grammar::Grammar(std::vector<std::string> terminals, std::vector<std::string> nonterminals)
    : names_(std::move(terminals)), terminalCount_(static_cast<int>(names_.size())) {
    for (int i = 0; i < terminalCount_; ++i)
        if (names_[i] == "error") errorSymbol_ = i;
    for (auto& n : nonterminals) names_.push_back(std::move(n));
    if (terminalCount_ < 1 || names_.size() <= static_cast<std::size_t>(terminalCount_))
        throw std::invalid_argument("grammar needs the end symbol and a start symbol");
}

int Grammar::symbolOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return static_cast<int>(i);
    return -1;
}

int Grammar::rule(std::string_view lhs, std::string_view rhs, RuleAction action) {
    // Grammars are fixed program text: a misspelt name is a programming
    // error, caught the first time the grammar is built.
    const int l = symbolOf(lhs);
    if (l < terminalCount_) throw std::invalid_argument("rule for unknown nonterminal " + std::string(lhs));
    Rule r{l, {}, action};
    std::size_t i = 0;
    while (i < rhs.size()) {
        while (i < rhs.size() && rhs[i] == ' ') ++i;
        std::size_t j = i;
        while (j < rhs.size() && rhs[j] != ' ') ++j;
        if (j > i) {
            const int s = symbolOf(rhs.substr(i, j - i));
            if (s < 0) throw std::invalid_argument("unknown symbol " + std::string(rhs.substr(i, j - i)));
            // Reaching the start symbol from state 0 is the accept; it must
            // not be reachable any other way.
            if (s == startSymbol()) throw std::invalid_argument("start symbol on a right-hand side");
            r.rhs.push_back(s);
        }
        i = j;
    }
    rules_.push_back(std::move(r));
    return static_cast<int>(rules_.size()) - 1;
}

} // namespace Orvane
