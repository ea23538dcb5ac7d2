#pragma once

#include <cstdint>
#include <vector>

#include "MarkupTables.h"
#include "UnitTable.h"

namespace Orvane {

// A list of marks grouped by first unit, each group in the order of the
// list so that the first match still wins: a lexer tries only the marks
// that can start at the unit in front of it.
class MarkGroups {
public:

    void build(const std::vector<Mark>& marks);

    // The marks that start with u, in list order; first == last when none.
    const Mark* first(unsigned short u) const { return marks_.data() + start_[groupOf_[u]]; }
    const Mark* last(unsigned short u) const { return marks_.data() + start_[groupOf_[u] + 1u]; }

private:
    // groupOf_[u] is 0 for a unit no mark starts with, else g + 1 for the
    // marks marks_[start_[g + 1], start_[g + 2]); start_[0] == start_[1] == 0
    // makes group 0 empty.
    UnitTable groupOf_;
    std::vector<std::uint16_t> start_{0, 0};
    std::vector<Mark> marks_;
};

} // namespace Orvane
