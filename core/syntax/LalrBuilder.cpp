#include "LalrBuilder.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace Orvane {

namespace {

// A set of terminals as a bit vector.
class TermSet {
public:
    explicit TermSet(int n) : words_((static_cast<std::size_t>(n) + 63) / 64, 0) {}
    void add(int t) { words_[t >> 6] |= std::uint64_t(1) << (t & 63); }
    bool has(int t) const { return (words_[t >> 6] >> (t & 63)) & 1; }
    // Adds every member of o; true when this set grew.
    bool merge(const TermSet& o) {
        bool grew = false;
        for (std::size_t i = 0; i < words_.size(); ++i) {
            const std::uint64_t w = words_[i] | o.words_[i];
            grew |= w != words_[i];
            words_[i] = w;
        }
        return grew;
    }

private:
    std::vector<std::uint64_t> words_;
};

// An item (rule, dot) inside one state, with its lookaheads and the items
// its lookaheads flow into (its closure items whose rest is nullable, and
// its successor in the goto state).
struct Config {
    int rule;
    int dot;
    TermSet follow;
    std::vector<int> forward;
};

struct State {
    std::vector<std::pair<int, int>> kernel;
    std::vector<int> configs;  // kernel items first, then their closure
    std::vector<std::pair<int, int>> gotos;  // (symbol, target state)
};

class Construction {
public:
    explicit Construction(const Grammar& g)
        : g_(g), rules_(g.rules()), nt_(g.terminalCount()), ns_(g.symbolCount()),
          nullable_(ns_, false), first_(ns_, TermSet(nt_)) {}

    ParseTables run(std::string* report);

private:
    void computeFirstSets();
    // Adds FIRST of rhs[from..] to out; true when that rest is nullable.
    bool firstOfRest(const std::vector<int>& rhs, std::size_t from, TermSet& out) const;
    int stateFor(const std::vector<std::pair<int, int>>& kernel);
    void close(int state);
    void makeGotos(int state);
    void propagate();
    void makeTables(ParseTables& t);
    void pack(ParseTables& t, const std::vector<std::vector<std::pair<int, int>>>& rows,
              std::vector<int>& offsets);
    void describe(const ParseTables& t, std::string& out) const;

    const Grammar& g_;
    const std::vector<Grammar::Rule>& rules_;
    const int nt_;
    const int ns_;
    std::vector<bool> nullable_;
    std::vector<TermSet> first_;
    std::vector<Config> configs_;
    std::vector<State> states_;
    std::map<std::vector<std::pair<int, int>>, int> byKernel_;
};

void Construction::computeFirstSets() {
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& r : rules_) {
            if (!nullable_[r.lhs]) {
                bool all = true;
                for (int s : r.rhs) all = all && s >= nt_ && nullable_[s];
                if (all) nullable_[r.lhs] = changed = true;
            }
            for (int s : r.rhs) {
                if (s < nt_) {
                    if (!first_[r.lhs].has(s)) {
                        first_[r.lhs].add(s);
                        changed = true;
                    }
                    break;
                }
                if (s != r.lhs) changed |= first_[r.lhs].merge(first_[s]);
                if (!nullable_[s]) break;
            }
        }
    }
}

bool Construction::firstOfRest(const std::vector<int>& rhs, std::size_t from, TermSet& out) const {
    for (std::size_t i = from; i < rhs.size(); ++i) {
        const int s = rhs[i];
        if (s < nt_) {
            out.add(s);
            return false;
        }
        out.merge(first_[s]);
        if (!nullable_[s]) return false;
    }
    return true;
}

int Construction::stateFor(const std::vector<std::pair<int, int>>& kernel) {
    auto it = byKernel_.find(kernel);
    if (it != byKernel_.end()) return it->second;
    const int id = static_cast<int>(states_.size());
    byKernel_.emplace(kernel, id);
    states_.push_back(State{kernel, {}, {}});
    for (const auto& [rule, dot] : kernel) {
        configs_.push_back(Config{rule, dot, TermSet(nt_), {}});
        states_[id].configs.push_back(static_cast<int>(configs_.size()) - 1);
    }
    close(id);
    return id;
}

void Construction::close(int state) {
    auto& cs = states_[state].configs;
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const int c = cs[i];
        const auto& rhs = rules_[configs_[c].rule].rhs;
        const std::size_t dot = static_cast<std::size_t>(configs_[c].dot);
        if (dot >= rhs.size() || rhs[dot] < nt_) continue;
        for (int r = 0; r < static_cast<int>(rules_.size()); ++r) {
            if (rules_[r].lhs != rhs[dot]) continue;
            int n = -1;
            for (int k : cs)
                if (configs_[k].rule == r && configs_[k].dot == 0) n = k;
            if (n < 0) {
                configs_.push_back(Config{r, 0, TermSet(nt_), {}});
                n = static_cast<int>(configs_.size()) - 1;
                cs.push_back(n);
            }
            // configs_ may have grown: index afresh.
            if (firstOfRest(rules_[configs_[c].rule].rhs, dot + 1, configs_[n].follow))
                configs_[c].forward.push_back(n);
        }
    }
}

void Construction::makeGotos(int state) {
    std::vector<int> symbols;
    for (int c : states_[state].configs) {
        const auto& rhs = rules_[configs_[c].rule].rhs;
        const std::size_t dot = static_cast<std::size_t>(configs_[c].dot);
        if (dot < rhs.size() && std::find(symbols.begin(), symbols.end(), rhs[dot]) == symbols.end())
            symbols.push_back(rhs[dot]);
    }
    for (int x : symbols) {
        std::vector<std::pair<int, int>> kernel;
        std::vector<int> from;
        for (int c : states_[state].configs) {
            const auto& rhs = rules_[configs_[c].rule].rhs;
            const std::size_t dot = static_cast<std::size_t>(configs_[c].dot);
            if (dot < rhs.size() && rhs[dot] == x) {
                kernel.emplace_back(configs_[c].rule, configs_[c].dot + 1);
                from.push_back(c);
            }
        }
        std::sort(kernel.begin(), kernel.end());
        kernel.erase(std::unique(kernel.begin(), kernel.end()), kernel.end());
        const int target = stateFor(kernel);
        for (int c : from) {
            for (int k : states_[target].configs) {
                if (configs_[k].rule == configs_[c].rule && configs_[k].dot == configs_[c].dot + 1) {
                    configs_[c].forward.push_back(k);
                    break;
                }
            }
        }
        states_[state].gotos.emplace_back(x, target);
    }
}

void Construction::propagate() {
    for (bool changed = true; changed;) {
        changed = false;
        for (auto& c : configs_)
            for (int f : c.forward)
                if (&configs_[f] != &c) changed |= configs_[f].follow.merge(c.follow);
    }
}

ParseTables Construction::run(std::string* report) {
    computeFirstSets();
    std::vector<std::pair<int, int>> startKernel;
    for (int r = 0; r < static_cast<int>(rules_.size()); ++r)
        if (rules_[r].lhs == g_.startSymbol()) startKernel.emplace_back(r, 0);
    stateFor(startKernel);
    for (int c : states_[0].configs)
        if (rules_[configs_[c].rule].lhs == g_.startSymbol()) configs_[c].follow.add(0);
    for (std::size_t s = 0; s < states_.size(); ++s) makeGotos(static_cast<int>(s));
    propagate();

    ParseTables t;
    t.stateCount = static_cast<int>(states_.size());
    t.ruleCount = static_cast<int>(rules_.size());
    t.terminalCount = nt_;
    t.symbolCodeCount = ns_ + 1;
    t.errorSymbol = g_.errorSymbol();
    for (const auto& r : rules_) t.rules.push_back({r.lhs, static_cast<int>(r.rhs.size()), r.action});
    makeTables(t);
    if (report) describe(t, *report);
    return t;
}

void Construction::makeTables(ParseTables& t) {
    const int reduceBase = t.stateCount;
    const int nstates = t.stateCount;
    std::vector<std::vector<std::pair<int, int>>> terminalRows(nstates), gotoRows(nstates);
    t.defaultAction.assign(nstates, t.errorAction());
    for (int s = 0; s < nstates; ++s) {
        std::vector<int> act(nt_, -1);
        for (const auto& [x, target] : states_[s].gotos) {
            if (x < nt_) act[x] = target;
            else gotoRows[s].emplace_back(x, target);
        }
        if (s == 0) {
            // The start symbol is never on a right-hand side, so state 0 has
            // no goto on it: reaching it there is the accept.
            auto& row = gotoRows[0];
            row.erase(std::remove_if(row.begin(), row.end(),
                                     [&](const auto& e) { return e.first == g_.startSymbol(); }),
                      row.end());
            row.emplace_back(g_.startSymbol(), t.acceptAction());
        }
        for (int c : states_[s].configs) {
            const int r = configs_[c].rule;
            if (static_cast<std::size_t>(configs_[c].dot) != rules_[r].rhs.size()) continue;
            for (int x = 0; x < nt_; ++x) {
                if (!configs_[c].follow.has(x)) continue;
                if (act[x] < 0) {
                    act[x] = reduceBase + r;
                } else if (act[x] < reduceBase) {
                    ++t.shiftReduceConflicts;  // shift wins
                } else {
                    ++t.reduceReduceConflicts;  // the earlier rule wins
                    act[x] = std::min(act[x], reduceBase + r);
                }
            }
        }
        // The reduction taken for the most lookaheads becomes the default,
        // unless it reduces to the start symbol (that one only applies at the
        // end of input, where it leads to the accept). Ties go to the
        // earlier rule.
        std::map<int, int> counts;
        for (int a : act)
            if (a >= reduceBase && rules_[a - reduceBase].lhs != g_.startSymbol()) ++counts[a];
        int best = -1, bestCount = 0;
        for (const auto& [a, n] : counts)
            if (n > bestCount) best = a, bestCount = n;
        if (best >= 0) {
            t.defaultAction[s] = best;
            for (int& a : act)
                if (a == best) a = -1;
        }
        for (int x = 0; x < nt_; ++x)
            if (act[x] >= 0) terminalRows[s].emplace_back(x, act[x]);
    }
    pack(t, terminalRows, t.shiftOffset);
    pack(t, gotoRows, t.reduceOffset);
}

// First-fit packing of the rows into the shared action/lookahead arrays.
// Offsets are unique within one kind, so a lookup can never read another
// row's cell for the same symbol.
void Construction::pack(ParseTables& t, const std::vector<std::vector<std::pair<int, int>>>& rows,
                        std::vector<int>& offsets) {
    std::set<int> used;
    offsets.assign(rows.size(), ParseTables::kNoOffset);
    for (std::size_t s = 0; s < rows.size(); ++s) {
        const auto& row = rows[s];
        if (row.empty()) continue;
        int lo = row.front().first;
        for (const auto& e : row) lo = std::min(lo, e.first);
        for (int off = -lo;; ++off) {
            if (used.count(off)) continue;
            bool fits = true;
            for (const auto& e : row) {
                const std::size_t i = static_cast<std::size_t>(off + e.first);
                if (i < t.lookahead.size() && t.lookahead[i] >= 0) {
                    fits = false;
                    break;
                }
            }
            if (!fits) continue;
            for (const auto& e : row) {
                const std::size_t i = static_cast<std::size_t>(off + e.first);
                if (i >= t.lookahead.size()) {
                    t.lookahead.resize(i + 1, -1);
                    t.action.resize(i + 1, t.errorAction());
                }
                t.lookahead[i] = e.first;
                t.action[i] = e.second;
            }
            used.insert(off);
            offsets[s] = off;
            break;
        }
    }
}

void Construction::describe(const ParseTables& t, std::string& out) const {
    auto actionText = [&](int a) {
        if (a < t.stateCount) return "shift " + std::to_string(a);
        if (a < t.errorAction()) return "reduce " + std::to_string(a - t.stateCount);
        return std::string(a == t.acceptAction() ? "accept" : "error");
    };
    for (int s = 0; s < t.stateCount; ++s) {
        out += "State " + std::to_string(s) + ":\n";
        for (int c : states_[s].configs) {
            const auto& r = rules_[configs_[c].rule];
            out += "    " + g_.nameOf(r.lhs) + " ::=";
            for (std::size_t i = 0; i <= r.rhs.size(); ++i) {
                if (static_cast<int>(i) == configs_[c].dot) out += " .";
                if (i < r.rhs.size()) out += " " + g_.nameOf(r.rhs[i]);
            }
            if (static_cast<std::size_t>(configs_[c].dot) == r.rhs.size()) {
                out += "   [";
                for (int x = 0; x < nt_; ++x)
                    if (configs_[c].follow.has(x)) out += " " + g_.nameOf(x);
                out += " ]";
            }
            out += "\n";
        }
        for (int x = 0; x < ns_; ++x) {
            const int a = x < nt_ ? t.findShiftAction(s, x) : t.findReduceAction(s, x);
            if (x < nt_ && a == t.defaultAction[s]) continue;
            if (x >= nt_ && a == t.errorAction()) continue;
            out += "    " + g_.nameOf(x) + " " + actionText(a) + "\n";
        }
        out += "    (default) " + actionText(t.defaultAction[s]) + "\n\n";
    }
}

} // namespace

ParseTables LalrBuilder::build(std::string* report) {
    if (report) report->clear();
    Construction c(grammar_);
    return c.run(report);
}

} // namespace Orvane
