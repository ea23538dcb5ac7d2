#include "ListTransitions.h"

#include <array>

namespace Orvane {

namespace {

constexpr std::string_view kNestings[ListTransitions::kStates] = {
    "", "o", "oo", "ou", "ooo", "ouu", "oou", "ouo", "u", "uu", "uo", "uuu", "uoo", "uou", "uuo",
};

// Indentation of a list tag at depth k (from 1) and of an item tag there.
std::string listIndent(std::size_t k) { return std::string(4 * (k - 1), ' '); }
std::string itemIndent(std::size_t k) { return listIndent(k) + "  "; }

const char* closeTag(char kind) { return kind == 'o' ? "</ol>" : "</ul>"; }
const char* openTag(char kind) { return kind == 'o' ? "<ol>" : "<ul>"; }

} // namespace

std::string_view ListTransitions::nesting(int state) {
    if (state < 0 || state >= kStates) return {};
    return kNestings[state];
}

const std::u16string& ListTransitions::text(int from, int to) {
    // The last slot stays empty: the answer for states outside the table.
    static const std::array<std::u16string, kStates * kStates + 1> table = [] {
        std::array<std::u16string, kStates * kStates + 1> t;
        for (int f = 0; f < kStates; ++f) {
            for (int g = 0; g < kStates; ++g) {
                const std::string ascii = build(f, g);
                t[f * kStates + g].assign(ascii.begin(), ascii.end());
            }
        }
        return t;
    }();
    if (from < 0 || from >= kStates || to < 0 || to >= kStates) return table[kStates * kStates];
    return table[from * kStates + to];
}

std::string ListTransitions::build(int from, int to) {
    const std::string_view s = nesting(from);
    const std::string_view t = nesting(to);
    std::size_t p = 0;
    while (p < s.size() && p < t.size() && s[p] == t[p]) ++p;

    std::string out;
    // Appended piece by piece: GCC 12 at -O3 misreads "literal" + string&&
    // as an overlapping copy (-Wrestrict).
    for (std::size_t k = s.size(); k > p; --k) {
        out += "</li>\n";
        out += listIndent(k);
        out += closeTag(s[k - 1]);
        out += "\n";
    }
    if (t.empty()) return out;

    if (p == t.size()) {
        if (!out.empty()) out += itemIndent(p);
        out += "</li>\n";
        out += itemIndent(p);
        out += "<li>";
        return out;
    }
    // Every list opened by one transition is indented like the deepest one.
    const std::size_t d = t.size();
    for (std::size_t k = p + 1; k <= d; ++k) {
        out += "\n";
        out += listIndent(d);
        out += openTag(t[k - 1]);
        out += "\n";
        out += itemIndent(d);
        out += "<li>";
    }
    return out;
}

} // namespace Orvane
