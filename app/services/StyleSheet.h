#pragma once

#include <string_view>

namespace tolvanw32 {

// The style-sheet choice (`StyleNum`): none, the four style sheets bundled
// with the program, or a file named by the user.
enum StyleSheet {
    kStyleNone = 0,
    kStyleYoko = 1,
    kStyleTate = 2,
    kStyleYokoCheck = 3,
    kStyleTateCheck = 4,
    kStyleUserFile = 100,
};

inline constexpr std::u16string_view s_yoko = u"yoko.css";
inline constexpr std::u16string_view s_tate = u"tate.css";
inline constexpr std::u16string_view s_yoko_check = u"yoko_check.css";
inline constexpr std::u16string_view s_tate_check = u"tate_check.css";

// The bundled style sheet of a choice; empty for every other choice.
constexpr std::u16string_view builtInStyleName(int styleNum) {
    switch (styleNum) {
    case kStyleYoko: return s_yoko;
    case kStyleTate: return s_tate;
    case kStyleYokoCheck: return s_yoko_check;
    case kStyleTateCheck: return s_tate_check;
    default: return {};
    }
}

// Horizontal and vertical writing flags given to the XHTML writer.
constexpr bool styleYokoP(int styleNum) { return styleNum == kStyleYoko || styleNum == kStyleYokoCheck; }
constexpr bool styleTateP(int styleNum) { return styleNum == kStyleTate || styleNum == kStyleTateCheck; }
// Only the bundled style sheets are copied next to the outputs (and removed).
constexpr bool styleCopiedP(int styleNum) { return !builtInStyleName(styleNum).empty(); }

} // namespace tolvanw32
