#pragma once

#include <vector>

#include "IFilter.h"

namespace CCC {

// A chain of stages that reads like one: units come from the last member.
// The composite owns its members; each member's source is the one before
// it, the first member's source is the composite's own.
class CompositIFilter : public virtual IFilter {
public:
    CompositIFilter() { setMasks(kIOAll, kIOAll); }
    ~CompositIFilter() override;
    CompositIFilter(const CompositIFilter&) = delete;
    CompositIFilter& operator=(const CompositIFilter&) = delete;

    bool rewind() override;
    char get8() override { return last().get8(); }
    unsigned short get16() override { return last().get16(); }
    unsigned int get32() override { return last().get32(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { last().read8(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { last().read16(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { last().read32(n, b, c); }

    bool setSrc(IFlow* src) override;
    virtual void add(IFilter* member);
    virtual void clear();

    std::size_t size() const { return members_.size(); }
    IFilter* member(std::size_t i) const { return members_[i]; }

private:
    // The flow that units are read from: the last member, else the source.
    IFlow& last() const { return members_.empty() ? source() : *members_.back(); }

    std::vector<IFilter*> members_;
};

} // namespace CCC
