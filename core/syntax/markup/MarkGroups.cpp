#include "MarkGroups.h"

#include <algorithm>

namespace Orvane {

void MarkGroups::build(const std::vector<Mark>& marks) {
    for (const Mark& m : marks_) groupOf_[m.text[0]] = 0;  // the previous groups
    std::vector<char16_t> firsts;
    for (const Mark& m : marks)
        if (std::find(firsts.begin(), firsts.end(), m.text[0]) == firsts.end()) firsts.push_back(m.text[0]);
    marks_.clear();
    start_.assign(2, 0);
    for (std::size_t g = 0; g < firsts.size(); ++g) {
        for (const Mark& m : marks)
            if (m.text[0] == firsts[g]) marks_.push_back(m);
        start_.push_back(static_cast<std::uint16_t>(marks_.size()));
        groupOf_[firsts[g]] = static_cast<std::uint8_t>(g + 1);
    }
}

} // namespace Orvane
