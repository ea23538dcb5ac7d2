#pragma once

#include <cstddef>
#include <new>

namespace Orvane {

// Under AddressSanitizer every record goes back to the heap, so that a use
// after delete is still caught.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kRecycleRecords = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kRecycleRecords = false;
#else
inline constexpr bool kRecycleRecords = true;
#endif
#else
inline constexpr bool kRecycleRecords = true;
#endif

// A base that gives a small record class its own free list: a parse makes
// and deletes one token, and a phrase or two, per few characters of text,
// and the same few blocks serve them all instead of the general heap. At
// most kKeep blocks wait per thread; any more go back to the heap. Derived
// classes of a different size bypass the list.
template <class T, std::size_t kKeep = 1024>
class RecycledRecord {
public:
    static void* operator new(std::size_t size) {
        FreeList& list = freeList_;
        if (kRecycleRecords && size == sizeof(T) && list.head) {
            Block* b = list.head;
            list.head = b->next;
            --list.count;
            return b;
        }
        return ::operator new(size);
    }

    static void operator delete(void* p, std::size_t size) noexcept {
        if (!p) return;
        FreeList& list = freeList_;
        if (kRecycleRecords && size == sizeof(T) && list.count < kKeep) {
            Block* b = static_cast<Block*>(p);
            b->next = list.head;
            list.head = b;
            ++list.count;
            return;
        }
        ::operator delete(p);
    }

private:
    struct Block {
        Block* next;
    };
    // Plain data, so that a thread-local access costs no guard; the blocks
    // that wait stay reachable through it until the thread ends.
    struct FreeList {
        Block* head;
        std::size_t count;
    };
    static thread_local FreeList freeList_;
};

template <class T, std::size_t kKeep>
thread_local typename RecycledRecord<T, kKeep>::FreeList RecycledRecord<T, kKeep>::freeList_{nullptr, 0};

} // namespace Orvane
