#include "RouteBuilder.h"

#include "CeIdTable.h"

namespace CCC {

namespace {

CompositIFilter* chainOf(const std::vector<IFilter*>& members) {
    CompositIFilter* chain = new CompositIFilter();
    for (IFilter* m : members) chain->add(m);
    return chain;
}

void deleteAll(std::vector<IFilter*>& members, const IFilter* keep) {
    for (IFilter* m : members)
        if (m != keep) delete m;
    members.clear();
}

} // namespace

RouteBuilder::RouteBuilder(const IFilterDictionary* routes, UnitFilterMaker makeUnit,
                           NewlineStageMaker makeNewline)
    : routes_(routes), makeUnit_(makeUnit), makeNewline_(makeNewline) {}

bool RouteBuilder::routeP(CeId from, CeId to) const {
    return from == to || (routes_ && routes_->find(from, to));
}

bool RouteBuilder::appendRoute(std::vector<IFilter*>& members, CeId from, CeId to) const {
    if (from == to) return true;
    const IFilterDictionaryEntry* e = routes_ ? routes_->find(from, to) : nullptr;
    if (!e) return false;
    for (int i = 0; i < e->length(); ++i) {
        IFilter* f = makeUnit_ ? makeUnit_(e->unitFilters[i]) : nullptr;
        if (!f) return false;
        members.push_back(f);
    }
    return true;
}

CompositIFilter* RouteBuilder::build(CeId from, CeId to) const {
    std::vector<IFilter*> members;
    if (from == to) {
        members.push_back(new IFilter(kIOAll, kIOAll));
        return chainOf(members);
    }
    if (!routes_ || !routes_->find(from, to)) return nullptr;
    if (!appendRoute(members, from, to)) {
        deleteAll(members, nullptr);
        return nullptr;
    }
    return chainOf(members);
}

CompositIFilter* RouteBuilder::assemble(const Plan& plan, IFilter* stage) const {
    std::vector<IFilter*> members;
    bool ok = appendRoute(members, plan.aFrom, plan.aTo);
    if (ok) {
        members.push_back(stage);
        ok = appendRoute(members, plan.bFrom, plan.bTo);
    }
    if (!ok) {
        deleteAll(members, stage);
        return nullptr;
    }
    return chainOf(members);
}

// Position 1 keeps the stage off the source end, 2 off the destination end;
// a byte-swapped end (width 0) takes the stage through its machine-order
// partner instead.
bool RouteBuilder::planGroup(CeId from, CeId to, IOType w, int position, Plan& plan) const {
    if (from != to && !routeP(from, to)) return false;
    const IOType fw = CeIdTable::unitWidth(from);
    const IOType tw = CeIdTable::unitWidth(to);
    if (fw == w && position != kNotAtSource) {
        plan = {from, from, from, to};
        return true;
    }
    if (tw == w && position != kNotAtDestination) {
        plan = {from, to, to, to};
        return true;
    }
    if (fw == CeIdTable::kSwapped && position != kNotAtSource) {
        CeId p = CeIdTable::swapPartner(from);
        if (p && CeIdTable::unitWidth(p) == w && routeP(from, p) && routeP(p, to)) {
            plan = {from, p, p, to};
            return true;
        }
    }
    if (tw == CeIdTable::kSwapped && position != kNotAtDestination) {
        CeId p = CeIdTable::swapPartner(to);
        if (p && CeIdTable::unitWidth(p) == w && routeP(from, p) && routeP(p, to)) {
            plan = {from, p, p, to};
            return true;
        }
    }
    return false;
}

// The stage converts a → b: at the source end when from = a, at the
// destination end when to = b, else (position 0 only) in the middle.
bool RouteBuilder::planUtility(CeId from, CeId to, CeId a, CeId b, int position, Plan& plan) const {
    plan = {from, a, b, to};
    if (from == a && position != kNotAtSource && routeP(b, to)) return true;
    if (to == b && position != kNotAtDestination && routeP(from, a)) return true;
    return position == kAnywhere && routeP(from, a) && routeP(b, to);
}

CompositIFilter* RouteBuilder::build(CeId from, CeId to, GroupUtility* stage, int position) const {
    Plan plan;
    if (!stage || !planGroup(from, to, stage->getUnitIOType(), position, plan)) return nullptr;
    return assemble(plan, stage);
}

CompositIFilter* RouteBuilder::build(CeId from, CeId to, Utility* stage, int position) const {
    Plan plan;
    if (!stage || !planUtility(from, to, stage->getInputCeId(), stage->getOutputCeId(), position, plan))
        return nullptr;
    return assemble(plan, stage);
}

CompositIFilter* RouteBuilder::build(CeId from, CeId to, int nlConv) const {
    if (nlConv == nlconv::kNone) return build(from, to);
    for (IOType w : {kIO8, kIO16, kIO32}) {
        GroupUtility* stage = makeNewline_ ? makeNewline_(nlConv, w) : nullptr;
        if (!stage) continue;
        if (CompositIFilter* chain = build(from, to, stage, kAnywhere)) return chain;
        delete stage;
    }
    return nullptr;
}

} // namespace CCC
