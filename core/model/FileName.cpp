#include "FileName.h"

#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"

namespace Orvane {

bool FileName::toText(const CCC::TString<char>& name, CCC::TString<unsigned short>& text) {
    return CCC::Iceman::convertToDString(kCeId, CCC::ceid::kUtf16N, name, text);
}

bool FileName::fromText(const CCC::TString<unsigned short>& text, CCC::TString<char>& name) {
    return CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, kCeId, text, name);
}

} // namespace Orvane
