#include "ListTransitions.h"

#include <array>
#include <cstdint>

namespace Orvane {

namespace {

constexpr int kStates = ListTransitions::kStates;

constexpr std::string_view kNestings[kStates] = {
    "", "o", "oo", "ou", "ooo", "ouu", "oou", "ouo", "u", "uu", "uo", "uuu", "uoo", "uou", "uuo",
};

constexpr std::string_view nestingOf(int state) {
    if (state < 0 || state >= kStates) return {};
    return kNestings[state];
}

// Indentation of a list tag at depth k (from 1) and of an item tag there.
constexpr void indentList(std::string& out, std::size_t k) { out.append(4 * (k - 1), ' '); }
constexpr void indentItem(std::string& out, std::size_t k) {
    indentList(out, k);
    out += "  ";
}

constexpr const char* closeTag(char kind) { return kind == 'o' ? "</ol>" : "</ul>"; }
constexpr const char* openTag(char kind) { return kind == 'o' ? "<ol>" : "<ul>"; }

constexpr std::string transition(int from, int to) {
    const std::string_view s = nestingOf(from);
    const std::string_view t = nestingOf(to);
    std::size_t p = 0;
    while (p < s.size() && p < t.size() && s[p] == t[p]) ++p;

    std::string out;
    for (std::size_t k = s.size(); k > p; --k) {
        out += "</li>\n";
        indentList(out, k);
        out += closeTag(s[k - 1]);
        out += "\n";
    }
    if (t.empty()) return out;

    if (p == t.size()) {
        if (!out.empty()) indentItem(out, p);
        out += "</li>\n";
        indentItem(out, p);
        out += "<li>";
        return out;
    }
    // Every list opened by one transition is indented like the deepest one.
    const std::size_t d = t.size();
    for (std::size_t k = p + 1; k <= d; ++k) {
        out += "\n";
        indentList(out, d);
        out += openTag(t[k - 1]);
        out += "\n";
        indentItem(out, d);
        out += "<li>";
    }
    return out;
}

constexpr std::size_t kPairs = kStates * kStates;

constexpr std::size_t totalLength() {
    std::size_t n = 0;
    for (int f = 0; f < kStates; ++f)
        for (int g = 0; g < kStates; ++g) n += transition(f, g).size();
    return n;
}

// All the texts end to end in the writer's units, made by the compiler: the
// writer's first list costs nothing to set up. Pair i's text runs from
// start[i] to start[i + 1].
struct Table {
    std::array<char16_t, totalLength()> units{};
    std::array<std::uint16_t, kPairs + 1> start{};
};

constexpr Table kTable = [] {
    Table table;
    std::size_t at = 0;
    for (std::size_t i = 0; i < kPairs; ++i) {
        table.start[i] = static_cast<std::uint16_t>(at);
        for (const char c : transition(static_cast<int>(i) / kStates, static_cast<int>(i) % kStates))
            table.units[at++] = static_cast<char16_t>(c);
    }
    table.start[kPairs] = static_cast<std::uint16_t>(at);
    return table;
}();

} // namespace

std::string_view ListTransitions::nesting(int state) { return nestingOf(state); }

std::u16string_view ListTransitions::text(int from, int to) {
    if (from < 0 || from >= kStates || to < 0 || to >= kStates) return {};
    const std::size_t i = static_cast<std::size_t>(from * kStates + to);
    return {kTable.units.data() + kTable.start[i], static_cast<std::size_t>(kTable.start[i + 1] - kTable.start[i])};
}

std::string ListTransitions::build(int from, int to) { return transition(from, to); }

} // namespace Orvane
