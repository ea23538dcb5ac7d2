#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "../base/Object.h"
#include "CeIdTable.h"
#include "IFilterDictionaryEntry.h"

namespace CCC {

// Routes between encodings keyed by from × 65536 + to, derived from the
// route rule. The routes from one encoding are found the first time any of
// them is asked for: a program converts between a few encodings, and
// finding all of them would cost every start more than its conversion's
// set-up. Safe to use from several threads at once.
class IFilterDictionary : public Object {
public:
    IFilterDictionary() = default;
    IFilterDictionary(const IFilterDictionary&) = delete;
    IFilterDictionary& operator=(const IFilterDictionary&) = delete;

    // nullptr when there is no route (equal ends, 0, a detector, unknown ids).
    const IFilterDictionaryEntry* find(int key) const;
    const IFilterDictionaryEntry* find(CeId from, CeId to) const {
        return find(IFilterDictionaryEntry::keyOf(from, to));
    }
    std::size_t size() const;

    // Every route in key order, in the diagnostic format.
    std::string dump() const;

    template <class F> void forEach(F f) const {
        for (CeId from = 1; from <= CeIdTable::kLastEncoding; ++from)
            for (const IFilterDictionaryEntry& e : routesFrom(from)) f(e);
    }

private:
    using Routes = std::vector<IFilterDictionaryEntry>;
    static constexpr std::size_t kRows = CeIdTable::kLastEncoding + 1;

    // The routes from `from` (1 to the last encoding), ordered by destination.
    const Routes& routesFrom(CeId from) const;

    mutable std::array<std::once_flag, kRows> found_;
    mutable std::array<Routes, kRows> rows_;
};

} // namespace CCC
