#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/services/Text.h"
#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"
#include "core/model/FileName.h"

namespace tolvanw32 {

// Conversions between the window's UTF-16 text strings and the core's 8-bit
// file names. The 8-bit side is in the platform's narrow file-name encoding,
// the core's choice (cp932 on Windows, UTF-8 without byte-order mark
// elsewhere); a StringConv may be given another for tests.
class StringConv {
public:
    static constexpr CCC::CeId kPlatformNarrow = Orvane::FileName::kCeId;

    explicit StringConv(CCC::CeId narrow = kPlatformNarrow) : narrow_(narrow) {}

    CCC::CeId narrowCeId() const { return narrow_; }

    // Text to a new narrow string through the encoding library; null when the
    // library fails. Characters the narrow encoding lacks are dropped, which
    // is why callers compare a round trip with the original.
    std::unique_ptr<CCC::TString<char>> createBString(const Text& text) const;
    // Text to a 16-bit library string, unit by unit.
    static std::unique_ptr<CCC::TString<unsigned short>> createDString(const Text& text);
    // Narrow string to text through the encoding library ("" when it fails).
    Text createDnString(const CCC::TString<char>& narrow) const;
    // 16-bit library string to text, unit by unit.
    static Text createDnString(const CCC::TString<unsigned short>& units);

    // Conveniences over std::string for the platform interfaces.
    std::optional<std::string> toNarrow(const Text& text) const;
    Text fromNarrow(std::string_view narrow) const;
    // True when text survives the trip to the narrow encoding and back (and,
    // for UTF-8, holds no unpaired surrogate).
    bool narrowRoundTripP(const Text& text) const;
    // No unpaired surrogate.
    static bool wellFormedP(const Text& text);

    // UTF-8, whatever the platform (the settings file).
    static std::optional<std::string> toUtf8(const Text& text);
    static Text fromUtf8(std::string_view utf8);

private:
    static std::optional<std::string> encode(CCC::CeId to, const Text& text);
    static Text decode(CCC::CeId from, std::string_view bytes);

    CCC::CeId narrow_;
};

// The log's LF line breaks as the CR LF the log window wants.
Text withCrLf(const CCC::TString<unsigned short>& log);

} // namespace tolvanw32
