#pragma once

namespace Orvane {

// The writer's built-in document skeletons (ASCII, so valid Shift_JIS),
// with the placeholders ENCODING, CSS, TITLE and BODY.
struct XhtmlTemplates {
    static const char* const kXhtml10Transitional;
    static const char* const kXhtml11;
};

} // namespace Orvane
