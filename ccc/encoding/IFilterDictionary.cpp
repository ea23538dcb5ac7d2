#include "IFilterDictionary.h"

#include <algorithm>
#include <cstdio>

#include "RouteRule.h"

namespace CCC {

const IFilterDictionary::Routes& IFilterDictionary::routesFrom(CeId from) const {
    std::call_once(found_[from], [&] { rows_[from] = RouteRule::computeFrom(from); });
    return rows_[from];
}

const IFilterDictionaryEntry* IFilterDictionary::find(int key) const {
    const CeId from = key / 65536;
    if (key < 0 || !CeIdTable::encodingP(from)) return nullptr;
    const Routes& routes = routesFrom(from);
    const auto it = std::lower_bound(routes.begin(), routes.end(), key,
                                     [](const IFilterDictionaryEntry& e, int k) { return e.key() < k; });
    return it != routes.end() && it->key() == key ? &*it : nullptr;
}

std::size_t IFilterDictionary::size() const {
    std::size_t n = 0;
    forEach([&n](const IFilterDictionaryEntry&) { ++n; });
    return n;
}

std::string IFilterDictionary::dump() const {
    std::string out;
    out.reserve(size() * 100);
    char line[128];
    forEach([&](const IFilterDictionaryEntry& e) {
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
    });
    return out;
}

} // namespace CCC
