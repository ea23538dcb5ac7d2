#pragma once

#include "Flow.h"

namespace CCC {

// A conversion stage: an input flow that pulls units from its own source.
// The base class forwards every unit unchanged, so a plain IFilter is the
// pass-through stage. Stage families derive from it virtually, so that a
// chain can also play the part of a Utility or GroupUtility.
class IFilter : public IFlow {
public:
    explicit IFilter(IOType ioType = kIOAll, IOType acceptedSrc = kIOAll)
        : IFlow(ioType, false), srcMask_(acceptedSrc) {}
    ~IFilter() override = default;

    bool close() override;
    bool openP() const override { return src_ != nullptr; }
    bool rewind() override;
    bool readyP() const override;

    char get8() override;
    unsigned short get16() override;
    unsigned int get32() override;
    void read8(std::size_t n, char* buffer, std::size_t& count) override;
    void read16(std::size_t n, unsigned short* buffer, std::size_t& count) override;
    void read32(std::size_t n, unsigned int* buffer, std::size_t& count) override;

    virtual bool setSrc(IFlow* src);
    virtual IOType getSrcIOTypeMask() const { return srcMask_; }
    virtual IOType srcIOType() const { return openP() ? src_->getIOType() & srcMask_ : 0; }

    IFlow* getSrc() const { return src_; }

protected:
    void setMasks(IOType ioType, IOType acceptedSrc) {
        setIOType(ioType);
        srcMask_ = acceptedSrc;
    }
    // The source, or IOException code 6 when there is none.
    IFlow& source() const;

private:
    template <class T> T forwardGet();
    template <class T> void forwardRead(std::size_t n, T* buffer, std::size_t& count);

    IFlow* src_ = nullptr;
    IOType srcMask_;
};

} // namespace CCC
