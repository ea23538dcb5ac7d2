#pragma once

#include "CompositIFilter.h"
#include "OFilter.h"
#include "WidthDispatch.h"

namespace CCC {

// The bridge for the output direction: collects what is written into it
// and, on flush, runs it through its own chain into the destination.
class Spooler : public OutputWidths<Spooler, OFilter> {
public:
    // accepts: the widths written into the spooler (also the chain's
    // accepted mask); delivers: the width the chain hands on.
    Spooler(IOType accepts, IOType delivers, OFlow* dest);

    void flush() override;

    // Appends a stage to the spooler's chain (which owns it).
    virtual void add(IFilter* stage) { chain_.add(stage); }
    CompositIFilter& chain() { return chain_; }
    std::size_t pendingBytes() const { return collected_.size(); }

private:
    friend class OutputWidths<Spooler, OFilter>;
    // Appends units to the collection buffer (widths outside `accepts`: code 5).
    template <class T> void writeAny(std::size_t n, const T* units, std::size_t& count);

    CompositIFilter chain_;
    IOType delivers_;
    TString<char> collected_;
};

} // namespace CCC
