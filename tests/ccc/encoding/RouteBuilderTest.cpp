#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/encoding/RouteBuilder.h"

using namespace CCC;

namespace {

// Stand-ins: unit filters that remember their number, and stages that
// remember their width and whether they were deleted.
struct Numbered : IFilter {
    explicit Numbered(int n) : number(n) {}
    int number;
};

int deletedStages = 0;

struct FakeGroup : GroupUtility {
    FakeGroup(IOType w, int nl = 0) : width(w), nlConv(nl) {}
    ~FakeGroup() override { ++deletedStages; }
    IOType getUnitIOType() const override { return width; }
    IOType width;
    int nlConv;
};

struct FakeUtility : Utility {
    FakeUtility(CeId a, CeId b) : Utility(a, b) {}
    ~FakeUtility() override { ++deletedStages; }
};

IFilter* makeNumbered(int n) { return new Numbered(n); }
IFilter* makeNumberedExcept51(int n) { return n == 51 ? nullptr : new Numbered(n); }
GroupUtility* makeFakeNewline(int nl, IOType w) { return nl >= 1 && nl <= 9 ? new FakeGroup(w, nl) : nullptr; }

const IFilterDictionary* dictionary() {
    EXPECT_TRUE(Ccc::initialize());
    return Iceman::getIFilterDictionary();
}

RouteBuilder fakeBuilder(RouteBuilder::UnitFilterMaker units = &makeNumbered) {
    return RouteBuilder(dictionary(), units, &makeFakeNewline);
}

// Members as "17" for unit filters and "stage16" / "util" for stages.
std::vector<std::string> describe(const CompositIFilter* chain) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < chain->size(); ++i) {
        IFilter* m = chain->member(i);
        if (auto* n = dynamic_cast<Numbered*>(m)) out.push_back(std::to_string(n->number));
        else if (auto* g = dynamic_cast<FakeGroup*>(m)) out.push_back("stage" + std::to_string(g->width * 8));
        else if (dynamic_cast<FakeUtility*>(m)) out.push_back("util");
        else out.push_back("?");
    }
    return out;
}

using Names = std::vector<std::string>;

// Compares a chain's members with `want` (empty: no chain expected) and frees it.
void expectChain(CompositIFilter* chain, const Names& want, CeId from, CeId to, int mode) {
    SCOPED_TRACE(std::to_string(from) + "->" + std::to_string(to) + " mode " + std::to_string(mode));
    if (want.empty()) EXPECT_EQ(chain, nullptr);
    else if (!chain) ADD_FAILURE() << "no chain";
    else EXPECT_EQ(describe(chain), want);
    delete chain;
}

} // namespace

TEST(RouteBuilder, NewlineStageGoesWhereTheDataHasItsWidth) {
    RouteBuilder b = fakeBuilder();
    struct Case {
        CeId from, to;
        int nl;
        Names want;
    };
    const Case cases[] = {
        {10, 13, 2, {"stage16", "17"}},                       // 8-bit fits nowhere
        {4, 13, 2, {"16", "25", "stage16", "26", "17"}},      // through 13's partner 9
        {10, 23, 5, {"15", "4", "51", "stage8"}},             // Shift_JIS end takes 8 bits
        {23, 10, 5, {"stage8", "54", "24"}},                  // source end first
        {13, 10, 3, {"19", "stage16"}},                       // swapped source: destination end
        {4, 12, 9, {"stage32", "34"}},
        {13, 17, 1, {"19", "25", "stage16", "26", "33", "35"}},  // source side wins
        {3, 5, 2, {"7", "stage16", "3", "6"}},                // through 3's partner 2
        {23, 23, 5, {"stage8"}},                              // equal ends
        {3, 3, 5, {"7", "stage16", "5"}},                     // swapped both ends
        {42, 42, 5, {}},                                      // a detector has no width
        {10, 23, 0, {"15", "4", "51"}},                       // no stage
        {10, 23, 10, {}},                                     // unknown mode
        {41, 2, 5, {}},                                       // no route
    };
    for (const Case& c : cases) expectChain(b.build(c.from, c.to, c.nl), c.want, c.from, c.to, c.nl);
}

TEST(RouteBuilder, StagePositions) {
    RouteBuilder b = fakeBuilder();
    struct Case {
        CeId from, to;
        CeId utilFrom, utilTo;  // 0, 0: a 16-bit GroupUtility
        int position;
        Names want;
    };
    const Case cases[] = {
        {10, 23, 0, 0, 0, {"stage16", "15", "4", "51"}},
        {10, 23, 0, 0, 1, {}},                        // only the source end has 16 bits
        {23, 10, 0, 0, 0, {"54", "24", "stage16"}},
        {23, 10, 0, 0, 2, {}},                        // only the destination end has 16 bits
        {10, 10, 0, 0, 1, {"stage16"}},
        {10, 10, 0, 0, 2, {"stage16"}},
        {13, 10, 0, 0, 1, {"19", "stage16"}},
        {13, 10, 0, 0, 2, {"19", "25", "stage16", "26"}},  // off the end, through partner 9
        {10, 13, 0, 0, 1, {"25", "stage16", "26", "17"}},
        {10, 13, 0, 0, 2, {"stage16", "17"}},
        {13, 15, 0, 0, 1, {"19", "25", "stage16", "26", "17", "27"}},  // through 15's partner
        {0, 10, 0, 0, 0, {}},
        {2, 10, 2, 23, 0, {"util", "54", "24"}},         // at the source end
        {10, 23, 2, 23, 0, {"15", "4", "util"}},         // at the destination end
        {10, 7, 2, 23, 0, {"15", "4", "util", "54", "12", "14"}},  // in the middle
        {10, 7, 2, 23, 1, {}},                           // the middle needs position 0
        {10, 7, 2, 23, 2, {}},
        {2, 10, 2, 23, 1, {}},                           // source end ruled out, to ≠ b
        {2, 23, 2, 23, 1, {"util"}},
        {2, 23, 2, 23, 2, {"util"}},
        {10, 2, 41, 2, 0, {}},                           // no route into the stage
    };
    for (const Case& c : cases) {
        IFilter* stage;
        CompositIFilter* chain;
        if (c.utilFrom) {
            auto* u = new FakeUtility(c.utilFrom, c.utilTo);
            stage = u;
            chain = b.build(c.from, c.to, static_cast<Utility*>(u), c.position);
        } else {
            auto* g = new FakeGroup(kIO16);
            stage = g;
            chain = b.build(c.from, c.to, static_cast<GroupUtility*>(g), c.position);
        }
        if (!chain) delete stage;  // still ours; a chain owns it
        expectChain(chain, c.want, c.from, c.to, c.position);
    }
}

TEST(RouteBuilder, MissingUnitFilterGivesNullAndLeavesTheStageToTheCaller) {
    RouteBuilder b = fakeBuilder(&makeNumberedExcept51);
    EXPECT_EQ(b.build(10, 23), nullptr);

    deletedStages = 0;
    FakeGroup stage(kIO16);
    EXPECT_EQ(b.build(10, 23, static_cast<GroupUtility*>(&stage), 0), nullptr);
    FakeUtility util(23, 2);
    EXPECT_EQ(b.build(10, 23, static_cast<Utility*>(&util), 0), nullptr);
    EXPECT_EQ(deletedStages, 0);

    // The newline form deletes each width's stage it could not place.
    EXPECT_EQ(b.build(10, 23, 5), nullptr);
    EXPECT_EQ(deletedStages, 3);

    // Routes that avoid the missing filter still build.
    CompositIFilter* chain = b.build(23, 10);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(describe(chain), (Names{"54", "24"}));
    delete chain;
}

TEST(RouteBuilder, EqualEndsPassUnitsThrough) {
    RouteBuilder b = fakeBuilder();
    for (CeId id : {0, 5, 10, 41, 99}) {
        CompositIFilter* chain = b.build(id, id);
        ASSERT_NE(chain, nullptr) << id;
        ASSERT_EQ(chain->size(), 1u);
        EXPECT_EQ(chain->getIOType(), kIOAll);
        EXPECT_EQ(describe(chain), (Names{"?"}));  // a plain IFilter
        DString in = DString::fromAscii("a\nb"), out;
        EXPECT_TRUE(Iceman::convertToDString(chain, in, out));
        EXPECT_EQ(out, in);
        delete chain;
    }
    EXPECT_EQ(b.build(41, 2), nullptr);
    EXPECT_EQ(b.build(0, 2), nullptr);
    EXPECT_EQ(b.build(2, 43), nullptr);

    // Without a route table only equal ends build.
    RouteBuilder none(nullptr, &makeNumbered, &makeFakeNewline);
    EXPECT_EQ(none.build(10, 23), nullptr);
    CompositIFilter* chain = none.build(7, 7);
    EXPECT_NE(chain, nullptr);
    delete chain;
}
