#pragma once

#include "TextFile.h"

namespace Orvane {

class SrcText;

// A generated document waiting to be written; it knows the source it was
// made from (not owned).
class Output : public TextFile {
public:
    Output(SrcText* srcText, const char* fileName, CeId outCeId, CCC::NLConv newLineMode)
        : TextFile(fileName, CCC::ceid::kNone, outCeId, newLineMode), srcText_(srcText) {}

    SrcText* getSrcText() const { return srcText_; }

private:
    SrcText* srcText_;
};

} // namespace Orvane
