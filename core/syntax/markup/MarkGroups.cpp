#include "MarkGroups.h"

#include <algorithm>

namespace Orvane {

void MarkGroups::build(const std::vector<Mark>& marks) {
    std::vector<char16_t> firsts;
    for (const Mark& m : marks)
        if (std::find(firsts.begin(), firsts.end(), m.text[0]) == firsts.end()) firsts.push_back(m.text[0]);
    blockOf_.fill(0);
    groups_.assign(kBlockUnits, 0);
    marks_.clear();
    start_.assign(2, 0);
    for (std::size_t g = 0; g < firsts.size(); ++g) {
        for (const Mark& m : marks)
            if (m.text[0] == firsts[g]) marks_.push_back(m);
        start_.push_back(static_cast<std::uint16_t>(marks_.size()));
        std::uint32_t& block = blockOf_[firsts[g] >> 8];
        if (block == 0) {
            block = static_cast<std::uint32_t>(groups_.size());
            groups_.resize(groups_.size() + kBlockUnits, 0);
        }
        groups_[block + (firsts[g] & 0xFFu)] = static_cast<std::uint8_t>(g + 1);
    }
}

} // namespace Orvane
