#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>

#include "ccc/encoding/IFilterDictionary.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/UnitFilterTable.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {

// A route as "lost: unit filters", the way tests/data/ccc/routes.txt has it.
std::string describe(const IFilterDictionaryEntry* e) {
    if (!e) return "no route";
    std::string s = std::to_string(e->lost) + ":";
    for (int i = 0; i < e->length(); ++i) s += " " + std::to_string(e->unitFilters[i]);
    return e->unitFilters[e->length()] == -1 ? s : s + " (no end mark)";
}

// A second, deliberately plain reading of the rule: the shortest lossless
// route, else the shortest one; scan the whole filter list for every
// dequeued node and remember the whole path per node.
std::map<int, std::string> referenceRoutes(int from) {
    std::map<int, std::string> out;
    for (bool losslessOnly : {true, false}) {
        std::map<int, std::string> path{{from, ""}};
        for (std::deque<int> queue{from}; !queue.empty(); queue.pop_front())
            for (int n = 0; n < UnitFilterTable::kCount; ++n) {
                const UnitFilterInfo& f = *UnitFilterTable::info(n);
                if (f.from != queue.front() || (losslessOnly && f.lossy) || path.count(f.to)) continue;
                path[f.to] = path[queue.front()] + " " + std::to_string(n);
                queue.push_back(f.to);
            }
        for (auto& [to, units] : path)
            if (to != from && !out.count(to)) out[to] = (losslessOnly ? "0:" : "-1:") + units;
    }
    return out;
}

} // namespace

TEST(RouteTable, EqualsAnIndependentSearchEntryForEntry) {
    const IFilterDictionary& d = *Iceman::getIFilterDictionary();
    std::size_t expectedCount = 0;
    for (int from = 1; from <= 39; ++from)
        for (auto& [to, want] : referenceRoutes(from)) {
            ++expectedCount;
            const IFilterDictionaryEntry* e = d.find(from, to);
            EXPECT_EQ(describe(e), want) << from << "->" << to;
            EXPECT_TRUE(!e || (e->from == from && e->to == to)) << from << "->" << to;
        }
    std::size_t visited = 0;
    d.forEach([&](const IFilterDictionaryEntry&) { ++visited; });
    EXPECT_EQ(d.size(), expectedCount);
    EXPECT_EQ(visited, expectedCount);
    // Only pairs of distinct encodings have a route.
    const auto encoding = [](int id) { return id >= 1 && id <= 39; };
    for (int from : {0, 1, 39, 40, 42, 43})
        for (int to : {0, 1, 39, 40, 42, 43})
            EXPECT_EQ(d.find(from, to) != nullptr, from != to && encoding(from) && encoding(to)) << from << "->" << to;
}

TEST(RouteTable, Corpus) {
    const IFilterDictionary& d = *Iceman::getIFilterDictionary();
    for (const auto& line : qmtest::readCorpus("ccc/routes.txt"))
        EXPECT_EQ(describe(d.find(std::stoi(line.fields.at(0)), std::stoi(line.fields.at(1)))),
                  line.fields.at(2) + ": " + line.fields.at(3))
            << line.where;
}

TEST(RouteTable, DumpFormat) {
    const std::string dump = Iceman::dumpRoutes();
    const std::string head =
        "Search: from:1, to:2\n"
        "IFilterDictionaryEntry: from:1, to:2, lost:0, unitfilters:0, \n\n"
        "Search: from:1, to:3\n";
    const std::string tail = "IFilterDictionaryEntry: from:39, to:38, lost:-1, unitfilters:111, 56, 110, \n\n";
    EXPECT_EQ(dump.substr(0, head.size()), head);
    ASSERT_GE(dump.size(), tail.size());
    EXPECT_EQ(dump.substr(dump.size() - tail.size()), tail);
}
