#include "SrcText.h"

namespace Orvane {

SrcText::SrcText(const char* fileName, CeId inCeId, const char* outputName, CeId outCeId,
                 CCC::NLConv newLineMode)
    : TextFile(fileName, inCeId, outCeId, newLineMode), baseName_(outputName ? BString(outputName) : getFileName()) {
    stripExtension();
}

void SrcText::stripExtension() {
    const std::size_t slash = baseName_.rfind('/');
    const std::size_t from = slash == BString::npos ? 0 : slash;
    const std::size_t dot = baseName_.rfind('.');
    if (dot != BString::npos && dot >= from) baseName_.resize(dot);
}

} // namespace Orvane
