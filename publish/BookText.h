#pragma once

// Text helpers of the book's own files: the core's UTF-16 to UTF-8 and
// back, and escaping for XML written as UTF-8.

#include <string>
#include <string_view>

#include "ccc/base/TString.h"

namespace Publish {

using DString = CCC::TString<unsigned short>;

std::string toUtf8(const unsigned short* text, std::size_t length);
inline std::string toUtf8(const DString& text) { return toUtf8(text.data(), text.size()); }
DString fromUtf8(std::string_view text);

// Bytes a URI cannot hold as they are (controls, blanks, non-ASCII, and
// " < > \ ^ ` { | }) percent-encoded; "%" is left alone, so encoded text stays.
std::string uriEscaped(std::string_view text);

// & < > and " as references, for element text and attribute values.
std::string escapeXml(std::string_view text);

} // namespace Publish
