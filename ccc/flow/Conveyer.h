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
    // Unit by unit in the given width (1, 2 or 4); code 9 if either lacks it.
    void carry(IOType width);
    // Block-wise: the same result for every pipeline that ends normally,
    // without a virtual call per unit. Width 0 picks as carry() does.
    void carryBlocks(IOType width = 0);

    static constexpr std::size_t kBlockBytes = 16 * 1024;

private:
    IOType commonWidth(IOType wanted) const;
    template <class T> void carryUnits();
    template <class T> void carryBlocksOf();

    IFlow* src_;
    OFlow* dest_;
};

} // namespace CCC
