#pragma once

// Text helpers of the book's own files: the core's UTF-16 to UTF-8 and
// back, and escaping for XML written as UTF-8.

#include <string>
#include <string_view>

#include "ccc/base/TString.h"

namespace Publish {

using DString = CCC::TString<unsigned short>;

// The writer's output as UTF-8, through the encoding library. The writer
// has put U+FFFD in place of every lone surrogate already, so the encoder
// (which drops one, having no UTF-8 form for it) finds none to drop.
std::string writtenToUtf8(const unsigned short* text, std::size_t length);
void appendWrittenUtf8(std::string& out, const unsigned short* text, std::size_t length);
// Caller text (headings, labels, addresses) as UTF-8: a code point XML does
// not allow, a lone surrogate among them, becomes U+FFFD as in the writer.
std::string toUtf8(const DString& text);
DString fromUtf8(std::string_view text);
// Text from outside the book (options, file names) as valid UTF-8 that XML
// allows: bytes that are no UTF-8 and code points XML forbids become U+FFFD
// or go, as in the writer's documents.
std::string xmlTextOf(std::string_view text);

// Bytes a URI cannot hold as they are (controls, blanks, non-ASCII, and
// " < > \ ^ ` { | }) percent-encoded; "%" is left alone, so encoded text stays.
std::string uriEscaped(std::string_view text);

// & < > and " as references, for element text and attribute values.
std::string escapeXml(std::string_view text);

} // namespace Publish
