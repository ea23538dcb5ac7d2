#include "IFilterDictionary.h"

#include <algorithm>
#include <cstdio>

#include "RouteRule.h"

namespace CCC {

IFilterDictionary::IFilterDictionary() : entries_(RouteRule::computeAll()) {}

const IFilterDictionaryEntry* IFilterDictionary::find(int key) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                     [](const IFilterDictionaryEntry& e, int k) { return e.key() < k; });
    return it != entries_.end() && it->key() == key ? &*it : nullptr;
}

std::string IFilterDictionary::dump() const {
    std::string out;
    out.reserve(entries_.size() * 100);
    char line[128];
    for (const IFilterDictionaryEntry& e : entries_) {
        std::snprintf(line, sizeof line, "Search: from:%d, to:%d\n", e.from, e.to);
        out += line;
        std::snprintf(line, sizeof line, "IFilterDictionaryEntry: from:%d, to:%d, lost:%d, unitfilters:",
                      e.from, e.to, e.lost);
        out += line;
        for (int i = 0; i < e.length(); ++i) {
            std::snprintf(line, sizeof line, "%d, ", e.unitFilters[i]);
            out += line;
        }
        out += "\n\n";
    }
    return out;
}

} // namespace CCC
