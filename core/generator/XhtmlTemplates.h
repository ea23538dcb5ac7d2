#pragma once

#include <string>

namespace Orvane {

// The writer's built-in document skeletons (ASCII, so valid Shift_JIS),
// with the placeholders ENCODING, CSS, TITLE and BODY.
struct XhtmlTemplates {
    static const char* const kXhtml10Transitional;
    static const char* const kXhtml11;
    // HTML5 in its XML form, in the given language (a language tag, put in
    // as it is); viewport adds the meta element that keeps phones from
    // shrinking the page.
    static std::string html5(const std::string& language, bool viewport);
};

} // namespace Orvane
