#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/IFilterDictionary.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/UnitFilterTable.h"

using namespace CCC;

namespace {

const IFilterDictionary& routes() {
    EXPECT_TRUE(Ccc::initialize());
    const IFilterDictionary* d = Iceman::getIFilterDictionary();
    if (!d) throw std::runtime_error("route dictionary not built");
    return *d;
}

std::vector<int> unitsOf(const IFilterDictionaryEntry& e) {
    return std::vector<int>(e.unitFilters, e.unitFilters + e.length());
}

struct Expected {
    std::vector<int> units;
    int lost;
};

// A second, deliberately plain reading of the rule: scan the whole filter
// list for every dequeued node and remember the whole path per node.
std::map<int, Expected> referenceRoutes(int from) {
    std::map<int, Expected> out;
    for (bool losslessOnly : {true, false}) {
        std::map<int, std::vector<int>> path{{from, {}}};
        std::deque<int> queue{from};
        while (!queue.empty()) {
            int node = queue.front();
            queue.pop_front();
            for (int n = 0; n < UnitFilterTable::kCount; ++n) {
                const UnitFilterInfo& f = *UnitFilterTable::info(n);
                if (f.from != node || (losslessOnly && f.lossy) || path.count(f.to)) continue;
                path[f.to] = path[node];
                path[f.to].push_back(n);
                queue.push_back(f.to);
            }
        }
        for (auto& [to, units] : path)
            if (to != from && !out.count(to)) out[to] = {units, losslessOnly ? 0 : -1};
    }
    return out;
}

} // namespace

TEST(RouteTable, EqualsAnIndependentSearchEntryForEntry) {
    const IFilterDictionary& d = routes();
    std::size_t expectedCount = 0;
    for (int from = 1; from <= 39; ++from) {
        for (auto& [to, want] : referenceRoutes(from)) {
            ++expectedCount;
            const IFilterDictionaryEntry* e = d.find(from, to);
            ASSERT_NE(e, nullptr) << from << "->" << to;
            EXPECT_TRUE(e->from == from && e->to == to) << from << "->" << to;
            EXPECT_EQ(unitsOf(*e), want.units) << from << "->" << to;
            EXPECT_EQ(e->lost, want.lost) << from << "->" << to;
            EXPECT_EQ(e->unitFilters[e->length()], -1);
        }
    }
    EXPECT_EQ(d.size(), expectedCount);
}

TEST(RouteTable, Figures) {
    const IFilterDictionary& d = routes();
    EXPECT_EQ(d.size(), 1482u);
    int lossless = 0, lossy = 0;
    std::map<int, int> byLength;
    std::vector<std::string> longest;
    d.forEach([&](const IFilterDictionaryEntry& e) {
        (e.lost == 0 ? lossless : lossy)++;
        byLength[e.length()]++;
        if (e.length() == 6) longest.push_back(std::to_string(e.from) + "->" + std::to_string(e.to));
    });
    EXPECT_EQ(lossless, 624);
    EXPECT_EQ(lossy, 858);
    EXPECT_EQ(byLength, (std::map<int, int>{{1, 113}, {2, 526}, {3, 384}, {4, 300}, {5, 149}, {6, 10}}));
    EXPECT_EQ(longest, (std::vector<std::string>{"15->38", "16->38", "19->38", "20->38", "21->19",
                                                 "21->20", "22->19", "22->20", "38->19", "38->20"}));
    // Every ordered pair of distinct encodings has a route; nothing else does.
    for (int from = 0; from <= 43; ++from)
        for (int to = 0; to <= 43; ++to) {
            bool inside = from >= 1 && from <= 39 && to >= 1 && to <= 39 && from != to;
            EXPECT_EQ(d.find(from, to) != nullptr, inside) << from << "->" << to;
        }
}

TEST(RouteTable, ExampleRoutes) {
    const IFilterDictionary& d = routes();
    struct Case {
        int from, to;
        std::vector<int> units;
        int lost;
    };
    const Case cases[] = {
        {1, 12, {0, 24, 33}, 0},   {8, 4, {14, 23, 15}, 0},  {2, 1, {3, 2}, -1},
        {10, 23, {15, 4, 51}, -1}, {23, 10, {54, 24}, 0},    {7, 23, {13, 11, 51}, -1},
        {23, 7, {54, 12, 14}, 0},  {22, 8, {45, 54, 12}, -1}, {13, 2, {19, 15, 4}, -1},
        {22, 2, {45, 54}, -1},     {8, 2, {11}, -1},         {8, 14, {14, 23, 18}, 0},
    };
    for (const Case& c : cases) {
        const IFilterDictionaryEntry* e = d.find(c.from, c.to);
        ASSERT_NE(e, nullptr) << c.from << "->" << c.to;
        EXPECT_EQ(unitsOf(*e), c.units) << c.from << "->" << c.to;
        EXPECT_EQ(e->lost, c.lost) << c.from << "->" << c.to;
    }
    // Every route from euc-jp is lossy: its only ways out are lossy filters.
    for (int to = 1; to <= 39; ++to) {
        if (to != 22) {
            EXPECT_EQ(d.find(22, to)->lost, -1) << to;
        }
    }
}

TEST(RouteTable, DumpFormat) {
    routes();
    std::string dump = Iceman::dumpRoutes();
    const std::string head =
        "Search: from:1, to:2\n"
        "IFilterDictionaryEntry: from:1, to:2, lost:0, unitfilters:0, \n\n"
        "Search: from:1, to:3\n"
        "IFilterDictionaryEntry: from:1, to:3, lost:0, unitfilters:0, 5, \n\n";
    EXPECT_EQ(dump.substr(0, head.size()), head);
    EXPECT_NE(dump.find("Search: from:10, to:23\n"
                        "IFilterDictionaryEntry: from:10, to:23, lost:-1, unitfilters:15, 4, 51, \n\n"),
              std::string::npos);
    const std::string tail = "IFilterDictionaryEntry: from:39, to:38, lost:-1, unitfilters:111, 56, 110, \n\n";
    ASSERT_GE(dump.size(), tail.size());
    EXPECT_EQ(dump.substr(dump.size() - tail.size()), tail);
    std::size_t searches = 0;
    for (std::size_t at = dump.find("Search: "); at != std::string::npos; at = dump.find("Search: ", at + 1))
        ++searches;
    EXPECT_EQ(searches, 1482u);
}
