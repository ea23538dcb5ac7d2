#pragma once

#include <vector>

#include "../flow/CompositIFilter.h"
#include "../flow/Utility.h"
#include "IFilterDictionary.h"

namespace CCC {

// Builds conversion chains from the route table: the plain route, and the
// route with one extra stage (a GroupUtility or a Utility) inserted where
// the data has the stage's width or encodings. The makers of unit filters
// and newline stages are parameters so that chains can be assembled from
// stand-ins.
class RouteBuilder {
public:
    using UnitFilterMaker = IFilter* (*)(int number);
    using NewlineStageMaker = GroupUtility* (*)(int nlConv, IOType width);

    // Where an inserted stage may go.
    static constexpr int kAnywhere = 0;
    static constexpr int kNotAtSource = 1;
    static constexpr int kNotAtDestination = 2;

    RouteBuilder(const IFilterDictionary* routes, UnitFilterMaker makeUnit, NewlineStageMaker makeNewline);

    // from = to (any value): a chain of one pass-through filter. Otherwise
    // the route's unit filters; nullptr without a route or when a unit
    // filter cannot be made.
    CompositIFilter* build(CeId from, CeId to) const;

    // The route with `stage` inserted; on success the stage is a member of
    // the result, on nullptr it stays the caller's.
    CompositIFilter* build(CeId from, CeId to, GroupUtility* stage, int position) const;
    CompositIFilter* build(CeId from, CeId to, Utility* stage, int position) const;

    // The route with the newline stage of nlConv, tried in the 8-, 16-, then
    // 32-bit form; nlConv 0 is the plain route.
    CompositIFilter* build(CeId from, CeId to, int nlConv) const;

private:
    // route(aFrom → aTo), the stage, route(bFrom → bTo).
    struct Plan {
        CeId aFrom, aTo, bFrom, bTo;
    };

    bool routeP(CeId from, CeId to) const;
    bool planGroup(CeId from, CeId to, IOType w, int position, Plan& plan) const;
    bool planUtility(CeId from, CeId to, CeId a, CeId b, int position, Plan& plan) const;
    bool appendRoute(std::vector<IFilter*>& members, CeId from, CeId to) const;
    CompositIFilter* assemble(const Plan& plan, IFilter* stage) const;

    const IFilterDictionary* routes_;
    UnitFilterMaker makeUnit_;
    NewlineStageMaker makeNewline_;
};

} // namespace CCC
