#pragma once

#include <string>
#include <utility>

#include "Grammar.h"
#include "ParseTables.h"

namespace Orvane {

// Builds the LALR(1) tables of a grammar: LR(0) item sets (states are keyed
// by their kernel items; the start rules' kernel is state 0 and a goto on
// the start symbol from state 0 accepts), lookaheads spread along the
// propagation links of the item sets until nothing changes, then the
// action table with conflicts resolved (shift over reduce, the earlier
// rule over a later one) and default reductions, packed.
class LalrBuilder {
public:
    explicit LalrBuilder(Grammar grammar) : grammar_(std::move(grammar)) {}

    // With report, also the item sets, their lookaheads and actions in
    // readable form, for review.
    ParseTables build(std::string* report = nullptr);

private:
    Grammar grammar_;
};

} // namespace Orvane
