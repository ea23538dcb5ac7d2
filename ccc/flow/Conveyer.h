#pragma once

#include "Flow.h"

namespace CCC {

// Pumps units from an input flow into an output flow until the end of data
// (IOException code 1), then flushes the destination. Owns neither flow.
class Conveyer : public Object {
public:
    explicit Conveyer(IFlow* src = nullptr, OFlow* dest = nullptr) : src_(src), dest_(dest) {}

    void setSrc(IFlow* src) { src_ = src; }
    void setDest(OFlow* dest) { dest_ = dest; }

    // Unit by unit, in the first width (8, 16, 32 bits) both flows support.
    void carry();
    // Unit by unit in the given width (1, 2 or 4); code 9 if either flow
    // lacks it (or for any other value, 0 included).
    void carry(IOType width);
    // Block-wise forms of the two above: the same result for every pipeline
    // that ends normally, without a virtual call per unit.
    void carryBlocks();
    void carryBlocks(IOType width);

    static constexpr std::size_t kBlockBytes = 16 * 1024;

private:
    // The first width both flows share; code 6/7 without a flow, 9 without one.
    IOType firstCommonWidth() const;
    // `wanted` itself when it is one width both flows share; else code 9.
    IOType checkedWidth(IOType wanted) const;
    template <class T> void carryUnits();
    template <class T> void carryBlocksOf();

    IFlow* src_;
    OFlow* dest_;
};

} // namespace CCC
