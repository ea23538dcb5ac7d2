#pragma once

#include "ccc/flow/IFilter.h"

namespace Orvane {

// A stage that stands in a chain for a filter owned elsewhere: it passes
// its source on to that filter and reads everything from it. Deleting it
// leaves the filter alone, so an owner can keep a filter that a chain
// also uses.
class BorrowedIFilter : public CCC::IFilter {
public:
    explicit BorrowedIFilter(CCC::IFilter* filter) : filter_(filter) {}

    bool setSrc(CCC::IFlow* src) override {
        filter_->setSrc(src);
        return IFilter::setSrc(src);
    }
    CCC::IOType getIOType() const override { return filter_->getIOType(); }
    bool rewind() override { return filter_->rewind(); }
    char get8() override { return filter_->get8(); }
    unsigned short get16() override { return filter_->get16(); }
    unsigned int get32() override { return filter_->get32(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { filter_->read8(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { filter_->read16(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { filter_->read32(n, b, c); }

private:
    CCC::IFilter* filter_;
};

} // namespace Orvane
