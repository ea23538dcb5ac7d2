#pragma once

#include "CompositIFilter.h"
#include "OFilter.h"

namespace CCC {

// The bridge for the output direction: collects what is written into it
// and, on flush, runs it through its own chain into the destination.
class Spooler : public OFilter {
public:
    // accepts: the widths written into the spooler (also the chain's
    // accepted mask); delivers: the width the chain hands on.
    Spooler(IOType accepts, IOType delivers, OFlow* dest);

    void put8(char u) override { collect(1, &u); }
    void put16(unsigned short u) override { collect(1, &u); }
    void put32(unsigned int u) override { collect(1, &u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { c = collect(n, b); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { c = collect(n, b); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { c = collect(n, b); }
    void flush() override;

    // Appends a stage to the spooler's chain (which owns it).
    virtual void add(IFilter* stage) { chain_.add(stage); }
    CompositIFilter& chain() { return chain_; }
    std::size_t pendingBytes() const { return collected_.size(); }

private:
    template <class T> std::size_t collect(std::size_t n, const T* units);

    CompositIFilter chain_;
    IOType delivers_;
    TString<char> collected_;
};

} // namespace CCC
