#pragma once

#include "TextFile.h"
#include "core/generator/TextRef.h"

namespace Orvane {

// The values a template's placeholders are replaced by; a null value
// stands for an empty one. A body made in a spool begins with the spool's
// text (or the encoded spool's, if started) and goes on with `body`.
struct TemplateValues {
    TextRef encoding;
    TextRef title;
    TextRef body;
    TextRef css;
    const TextSpool* bodyStart = nullptr;
    EncodedSpool* bodyEncoded = nullptr;
};

// The skeleton an output is poured into: UTF-16 text with placeholders
// written between "@@" pairs.
class Template : public TextFile {
public:
    Template() : TextFile(nullptr, CCC::ceid::kNone, CCC::ceid::kNone, CCC::nlconv::kNone) {}
    Template(const char* fileName, CeId inCeId) : TextFile(fileName, inCeId, CCC::ceid::kNone, CCC::nlconv::kNone) {}

    // The content with every placeholder replaced: ENCODING, TITLE, BODY
    // and CSS by their values, any other name by nothing; "@@@@" gives "@@".
    // With headOnly, only what comes before the first BODY.
    std::unique_ptr<DString> fill(const TemplateValues& values, bool headOnly = false) const;
    // The same text as pieces of the template and of the values, in order,
    // for writing it out without the filled copy.
    TextPieces pieces(const TemplateValues& values, bool headOnly = false) const;
    // The unit of template text right before BODY, when BODY stands once
    // and after text; false otherwise.
    bool unitBeforeBody(unsigned short& unit) const;
};

} // namespace Orvane
