#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "../base/Object.h"
#include "IFilterDictionaryEntry.h"

namespace CCC {

// Routes between encodings keyed by from × 65536 + to. Built from the route
// rule when the library starts, kept in key order in one array.
class IFilterDictionary : public Object {
public:
    IFilterDictionary();
    IFilterDictionary(const IFilterDictionary&) = delete;
    IFilterDictionary& operator=(const IFilterDictionary&) = delete;

    // nullptr when there is no route (equal ends, 0, a detector, unknown ids).
    const IFilterDictionaryEntry* find(int key) const;
    const IFilterDictionaryEntry* find(CeId from, CeId to) const {
        return find(IFilterDictionaryEntry::keyOf(from, to));
    }
    std::size_t size() const { return entries_.size(); }

    // Every route in key order, in the diagnostic format.
    std::string dump() const;

    template <class F> void forEach(F f) const {
        for (const IFilterDictionaryEntry& e : entries_) f(e);
    }

private:
    std::vector<IFilterDictionaryEntry> entries_;
};

} // namespace CCC
