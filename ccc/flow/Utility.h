#pragma once

#include "CompositIFilter.h"

namespace CCC {

// A stage bound to one pair of encodings.
class Utility : public virtual IFilter {
public:
    Utility(CeId input, CeId output) : input_(input), output_(output) {}
    virtual CeId getInputCeId() const { return input_; }
    virtual CeId getOutputCeId() const { return output_; }

private:
    CeId input_;
    CeId output_;
};

// A stage that works on any encoding of one unit width (newline and
// byte-order-mark stages).
class GroupUtility : public virtual IFilter {
public:
    virtual IOType getUnitIOType() const { return getIOType(); }
};

// A chain that plays the part of a Utility.
class CompositUtility : public CompositIFilter, public Utility {
public:
    CompositUtility(CeId input, CeId output) : Utility(input, output) {}
};

// A chain that plays the part of a GroupUtility of one width.
class CompositGroupUtility : public CompositIFilter, public GroupUtility {
public:
    explicit CompositGroupUtility(IOType unitWidth) : unitWidth_(unitWidth) {}
    IOType getUnitIOType() const override { return unitWidth_; }

private:
    IOType unitWidth_;
};

} // namespace CCC
