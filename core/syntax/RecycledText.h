#pragma once

#include <cstddef>

#include "RecycledRecord.h"
#include "ccc/base/TString.h"

namespace Orvane {

using DString = CCC::TString<unsigned short>;

// The texts of tokens and phrases: a parse makes one every few characters,
// and each cost two trips to the heap (the string and its buffer). A text
// given back waits here with its buffer, up to kKeep of them per thread,
// and is filled again for the next one. Texts too long to be typical go
// back to the heap, so that what waits stays small. Any text may be given
// back, wherever it was made; under AddressSanitizer all go to the heap.
class RecycledText {
public:
    static constexpr std::size_t kKeep = 256;
    static constexpr std::size_t kLongestKept = 256;  // units of room

    static DString* make() {
        Pool& pool = pool_;
        if (kRecycleRecords && pool.count) return pool.texts[--pool.count];
        return new DString();
    }
    static DString* make(const unsigned short* units, std::size_t n) {
        DString* text = make();
        // Every text made or given back is empty: an append is a plain
        // copy, where an assignment would first look for an overlap.
        text->append(units, n);
        return text;
    }

    // Deletes text or keeps it for make(); null is ignored.
    static void release(DString* text) noexcept {
        if (!text) return;
        Pool& pool = pool_;
        if (kRecycleRecords && pool.count < kKeep && text->capacity() <= kLongestKept) {
            text->clear();
            pool.texts[pool.count++] = text;
            return;
        }
        delete text;
    }

private:
    // Plain data, so that a thread-local access costs no guard; the texts
    // that wait are reachable through it until the thread ends.
    struct Pool {
        DString* texts[kKeep];
        std::size_t count;
    };
    static inline thread_local Pool pool_{};
};

} // namespace Orvane
