#pragma once

#include <atomic>
#include <cstddef>

namespace Orvane {

// The names of the temporary files this process has created and not yet
// committed or removed. A program that may be interrupted walks them from
// its signal handler (forEach only reads atomics: async-signal-safe) and
// removes them, so an interrupted run leaves no stray files behind.
class LiveTemporaryFiles {
public:
    // Registers a name that stays valid until remove(); returns its slot,
    // or -1 when the registry is full (the file is then merely not covered).
    static long add(const char* name);
    static void remove(long slot);

    // Calls f(name) for every registered name. Never allocates or locks.
    template <class F> static void forEach(F&& f) {
        const std::size_t used = used_.load(std::memory_order_acquire);
        for (std::size_t i = 0; i < used; ++i) {
            const Block* block = blocks_[i / kBlockSize].load(std::memory_order_acquire);
            if (!block) continue;
            if (const char* name = block->names[i % kBlockSize].load(std::memory_order_acquire)) f(name);
        }
    }

private:
    static constexpr std::size_t kBlockSize = 1024;
    static constexpr std::size_t kBlocks = 4096;  // room for four million live files
    struct Block {
        std::atomic<const char*> names[kBlockSize] = {};
    };
    static std::atomic<Block*> blocks_[kBlocks];
    static std::atomic<std::size_t> used_;
};

} // namespace Orvane
