#include "IFilterDictionary.h"

#include <cstdio>

#include "RouteRule.h"

namespace CCC {

IFilterDictionary::IFilterDictionary() {
    for (const IFilterDictionaryEntry& e : RouteRule::computeAll())
        entries_.emplace(e.key(), new IFilterDictionaryEntry(e));
}

IFilterDictionary::~IFilterDictionary() {
    for (auto& kv : entries_) delete kv.second;
}

const IFilterDictionaryEntry* IFilterDictionary::find(int key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second;
}

std::string IFilterDictionary::dump() const {
    std::string out;
    out.reserve(entries_.size() * 100);
    char line[128];
    for (const auto& kv : entries_) {
        const IFilterDictionaryEntry& e = *kv.second;
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
