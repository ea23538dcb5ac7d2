#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "MarkupTables.h"

namespace Orvane {

// A list of marks grouped by first unit, each group in the order of the
// list so that the first match still wins: a lexer tries only the marks
// that can start at the unit in front of it.
class MarkGroups {
public:
    void build(const std::vector<Mark>& marks);

    // The marks that start with u, in list order; first == last when none.
    const Mark* first(unsigned short u) const { return marks_.data() + start_[groupOf(u)]; }
    const Mark* last(unsigned short u) const { return marks_.data() + start_[groupOf(u) + 1u]; }

private:
    // 0 for a unit no mark starts with, else g + 1 for the marks
    // marks_[start_[g + 1], start_[g + 2]); start_[0] == start_[1] == 0
    // makes group 0 empty. Looked up by the unit's high byte, then its low
    // one: marks start with a few dozen units, and the 256-unit blocks that
    // hold none share block 0, all zeros. A lexer made costs a few small
    // blocks, not a table of every unit to clear.
    unsigned groupOf(unsigned short u) const {
        return groups_[static_cast<std::size_t>(blockOf_[u >> 8]) * kBlockUnits + (u & 0xFFu)];
    }

    static constexpr std::size_t kBlockUnits = 256;
    std::array<std::uint16_t, 256> blockOf_{};
    std::vector<std::uint8_t> groups_ = std::vector<std::uint8_t>(kBlockUnits);
    std::vector<std::uint16_t> start_{0, 0};
    std::vector<Mark> marks_;
};

} // namespace Orvane
