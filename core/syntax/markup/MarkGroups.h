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
    struct Marks {
        const Mark* first;
        const Mark* last;
    };
    Marks startingWith(unsigned short u) const {
        const std::uint16_t* const start = start_.data() + groups_[blockOf_[u >> 8] + (u & 0xFFu)];
        return {marks_.data() + start[0], marks_.data() + start[1]};
    }

private:
    // The group of every unit: 0 when no mark starts with it, else g + 1
    // for the marks marks_[start_[g + 1], start_[g + 2]) (start_[0] ==
    // start_[1] == 0 makes group 0 empty). Kept in 256-unit blocks, found by
    // the unit's high byte: marks start with a few dozen units, and the
    // blocks that hold none share block 0, all zeros. A lexer made costs a
    // few small blocks, not a table of every unit to clear.
    static constexpr std::size_t kBlockUnits = 256;
    std::array<std::uint32_t, 256> blockOf_{};  // where each block starts in groups_
    std::vector<std::uint8_t> groups_ = std::vector<std::uint8_t>(kBlockUnits);
    std::vector<std::uint16_t> start_{0, 0};
    std::vector<Mark> marks_;
};

} // namespace Orvane
