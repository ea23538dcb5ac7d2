// The route table against an independent search and tests/data/ccc/routes.txt,
// and the route builder with stand-in members over
// tests/data/ccc/route-builder.txt.

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "ccc/encoding/IFilterDictionary.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/RouteBuilder.h"
#include "ccc/encoding/UnitFilterTable.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {

// A route as "lost: unit filters", the way tests/data/ccc/routes.txt has it.
std::string route(const IFilterDictionaryEntry* e) {
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

// Stand-ins: unit filters that remember their number, and stages that
// remember their width and count their deletion.
struct Numbered : IFilter {
    explicit Numbered(int n) : number(n) {}
    int number;
};

int deletedStages = 0;

struct FakeGroup : GroupUtility {
    explicit FakeGroup(IOType w) : width(w) {}
    ~FakeGroup() override { ++deletedStages; }
    IOType getUnitIOType() const override { return width; }
    IOType width;
};

struct FakeUtility : Utility {
    FakeUtility(CeId a, CeId b) : Utility(a, b) {}
    ~FakeUtility() override { ++deletedStages; }
};

IFilter* makeNumbered(int n) { return new Numbered(n); }
IFilter* makeNumberedExcept51(int n) { return n == 51 ? nullptr : new Numbered(n); }
GroupUtility* makeFakeNewline(int nl, IOType w) { return nl >= 1 && nl <= 9 ? new FakeGroup(w) : nullptr; }

RouteBuilder fakeBuilder(RouteBuilder::UnitFilterMaker units = &makeNumbered) {
    return RouteBuilder(Iceman::getIFilterDictionary(), units, &makeFakeNewline);
}

// The members as the corpus writes them ("-": no chain); frees the chain.
std::string describe(CompositIFilter* chain) {
    std::string out;
    for (std::size_t i = 0; chain && i < chain->size(); ++i) {
        IFilter* m = chain->member(i);
        out += out.empty() ? "" : " ";
        if (auto* n = dynamic_cast<Numbered*>(m)) out += std::to_string(n->number);
        else if (auto* g = dynamic_cast<FakeGroup*>(m)) out += "stage" + std::to_string(g->width * 8);
        else out += dynamic_cast<FakeUtility*>(m) ? "util" : "?";
    }
    delete chain;
    return chain ? out : "-";
}

} // namespace

TEST(RouteTable, EqualsAnIndependentSearchAndTheCorpus) {
    const IFilterDictionary& d = *Iceman::getIFilterDictionary();
    std::size_t expectedCount = 0;
    for (int from = 1; from <= 39; ++from)
        for (auto& [to, want] : referenceRoutes(from)) {
            ++expectedCount;
            const IFilterDictionaryEntry* e = d.find(from, to);
            EXPECT_EQ(route(e), want) << from << "->" << to;
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
    // And a few routes written out.
    for (const auto& line : qmtest::readCorpus("ccc/routes.txt"))
        EXPECT_EQ(route(d.find(std::stoi(line.fields.at(0)), std::stoi(line.fields.at(1)))),
                  line.fields.at(2) + ": " + line.fields.at(3))
            << line.where;
}

TEST(RouteTable, DumpFormat) {
    const std::string dump = Iceman::dumpRoutes();
    EXPECT_TRUE(dump.starts_with("Search: from:1, to:2\nIFilterDictionaryEntry: from:1, to:2, lost:0, unitfilters:0, "
                                 "\n\nSearch: from:1, to:3\n"));
    EXPECT_TRUE(dump.ends_with("IFilterDictionaryEntry: from:39, to:38, lost:-1, unitfilters:111, 56, 110, \n\n"));
}

TEST(RouteBuilder, Corpus) {
    RouteBuilder b = fakeBuilder();
    for (const auto& line : qmtest::readCorpus("ccc/route-builder.txt")) {
        const std::string& stage = line.fields.at(0);
        const CeId from = std::stoi(line.fields.at(1)), to = std::stoi(line.fields.at(2));
        const int mode = line.fields.at(3) == "-" ? 0 : std::stoi(line.fields.at(3));
        CompositIFilter* chain = nullptr;
        if (stage == "none") {
            chain = b.build(from, to);
        } else if (stage == "nl") {
            chain = b.build(from, to, mode);
        } else if (stage == "group") {  // a stage the build refused is still ours
            auto* g = new FakeGroup(kIO16);
            if (!(chain = b.build(from, to, static_cast<GroupUtility*>(g), mode))) delete g;
        } else {
            int a = 0, z = 0;
            EXPECT_EQ(std::sscanf(stage.c_str(), "util:%d:%d", &a, &z), 2) << line.where;
            auto* u = new FakeUtility(a, z);
            if (!(chain = b.build(from, to, static_cast<Utility*>(u), mode))) delete u;
        }
        EXPECT_EQ(describe(chain), line.fields.at(4)) << line.where;
    }
}

TEST(RouteBuilder, MissingUnitFilterGivesNullAndLeavesTheStageToTheCaller) {
    RouteBuilder b = fakeBuilder(&makeNumberedExcept51);
    EXPECT_EQ(b.build(10, 23), nullptr);
    deletedStages = 0;
    FakeGroup stage(kIO16);
    FakeUtility util(23, 2);
    EXPECT_EQ(b.build(10, 23, static_cast<GroupUtility*>(&stage), 0), nullptr);
    EXPECT_EQ(b.build(10, 23, static_cast<Utility*>(&util), 0), nullptr);
    EXPECT_EQ(deletedStages, 0);
    // The newline form deletes each width's stage it could not place.
    EXPECT_EQ(b.build(10, 23, 5), nullptr);
    EXPECT_EQ(deletedStages, 3);
    EXPECT_EQ(describe(b.build(23, 10)), "54 24");  // avoids the missing filter
}
