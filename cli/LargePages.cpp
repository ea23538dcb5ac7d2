// The program's operator new: a conversion keeps a few buffers the size of
// the manuscript (its text, the document being written), and touching each
// of their 4 KiB pages for the first time costs a page fault. Buffers that
// large are aligned to 2 MiB and marked for transparent huge pages, so the
// kernel backs them 2 MiB at a time. Everything still comes from malloc and
// goes back with free, so every form of new and delete stays paired.
// Sanitizer builds keep their own new and delete.

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QM_KEEP_LIBRARY_NEW
#endif
#endif

#ifndef QM_KEEP_LIBRARY_NEW
#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below this the rounding to whole huge pages would cost more memory than
// the faults it saves are worth.
constexpr std::size_t kLargeBuffer = 4 * kHugePage;

void* allocate(std::size_t size) noexcept {
    if (size >= kLargeBuffer) {
        const std::size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
        if (void* p = std::aligned_alloc(kHugePage, rounded)) {
            (void)::madvise(p, rounded, MADV_HUGEPAGE);  // advice only: refused, the pages stay small
            return p;
        }
        return nullptr;
    }
    return std::malloc(size ? size : 1);
}

void* allocateOrThrow(std::size_t size) {
    for (;;) {
        if (void* p = allocate(size)) return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

} // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#endif
#endif
