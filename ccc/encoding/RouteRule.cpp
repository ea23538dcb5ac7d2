#include "RouteRule.h"

#include <array>

#include "CeIdTable.h"
#include "UnitFilterTable.h"

namespace CCC {

namespace {

constexpr int kNodes = CeIdTable::kLastEncoding + 1;

struct Graph {
    // Out-edges of each node as filter numbers, ascending.
    std::array<std::vector<int>, kNodes> out;

    Graph() {
        for (int n = 0; n < UnitFilterTable::kCount; ++n) {
            const UnitFilterInfo* f = UnitFilterTable::info(n);
            if (CeIdTable::encodingP(f->from) && CeIdTable::encodingP(f->to))
                out[f->from].push_back(n);
        }
    }
};

// Predecessor edge of every node reached from `from` (-1: not reached; the
// start node is marked reached with no edge).
struct Tree {
    std::array<int, kNodes> pred;
    std::array<bool, kNodes> reached;
};

Tree search(const Graph& g, CeId from, bool losslessOnly) {
    Tree t;
    t.pred.fill(-1);
    t.reached.fill(false);
    std::array<int, kNodes> queue;
    int head = 0, tail = 0;
    queue[tail++] = from;
    t.reached[from] = true;
    while (head < tail) {
        int node = queue[head++];
        for (int n : g.out[node]) {
            const UnitFilterInfo* f = UnitFilterTable::info(n);
            if (losslessOnly && f->lossy) continue;
            if (t.reached[f->to]) continue;
            t.reached[f->to] = true;
            t.pred[f->to] = n;
            queue[tail++] = f->to;
        }
    }
    return t;
}

bool pathTo(const Tree& t, CeId from, CeId to, IFilterDictionaryEntry& e) {
    if (!t.reached[to]) return false;
    int reversed[kNodes];
    int len = 0;
    for (CeId at = to; at != from; at = UnitFilterTable::info(t.pred[at])->from) {
        if (len == IFilterDictionaryEntry::kMaxUnits) return false;
        reversed[len++] = t.pred[at];
    }
    for (int i = 0; i < len; ++i) e.unitFilters[i] = reversed[len - 1 - i];
    e.unitFilters[len] = IFilterDictionaryEntry::kEnd;
    return true;
}

} // namespace

std::vector<IFilterDictionaryEntry> RouteRule::computeFrom(CeId from) {
    std::vector<IFilterDictionaryEntry> routes;
    if (!CeIdTable::encodingP(from)) return routes;
    static const Graph g;
    const Tree lossless = search(g, from, true);
    const Tree any = search(g, from, false);
    routes.reserve(CeIdTable::kLastEncoding - 1);
    for (CeId to = 1; to <= CeIdTable::kLastEncoding; ++to) {
        if (to == from) continue;
        IFilterDictionaryEntry e;
        e.from = from;
        e.to = to;
        if (pathTo(lossless, from, to, e)) {
            e.lost = 0;
        } else if (pathTo(any, from, to, e)) {
            e.lost = -1;
        } else {
            continue;
        }
        routes.push_back(e);
    }
    return routes;
}

} // namespace CCC
