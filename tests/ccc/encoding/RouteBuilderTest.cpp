// The route builder with stand-in members over tests/data/ccc/route-builder.txt.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/RouteBuilder.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace CCC;

namespace {

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

TEST(RouteBuilder, EqualEndsPassEveryWidthThroughAlsoWithoutARouteTable) {
    std::unique_ptr<CompositIFilter> chain(fakeBuilder().build(5, 5));
    EXPECT_EQ(chain->getIOType(), kIOAll);
    RouteBuilder none(nullptr, &makeNumbered, &makeFakeNewline);
    EXPECT_EQ(none.build(10, 23), nullptr);
    EXPECT_EQ(describe(none.build(7, 7)), "?");
}

} // namespace
