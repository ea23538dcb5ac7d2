#include "FileName.h"

#include "ccc/encoding/Iceman.h"

namespace Orvane {

namespace {
constexpr CCC::CeId kTextCeId = 10;  // utf-16n
}

bool FileName::toText(const CCC::TString<char>& name, CCC::TString<unsigned short>& text) {
    return CCC::Iceman::convertToDString(kCeId, kTextCeId, name, text);
}

bool FileName::fromText(const CCC::TString<unsigned short>& text, CCC::TString<char>& name) {
    return CCC::Iceman::convertToBString(kTextCeId, kCeId, text, name);
}

} // namespace Orvane
