#include "LiveTemporaryFiles.h"

#include <mutex>
#include <new>
#include <vector>

namespace Orvane {

std::atomic<LiveTemporaryFiles::Block*> LiveTemporaryFiles::blocks_[kBlocks] = {};
std::atomic<std::size_t> LiveTemporaryFiles::used_{0};

namespace {
// Slots given back, reused before the registry grows. Only add and remove
// touch it, never the signal handler.
std::mutex freeLock;
std::vector<std::size_t>& freeSlots() {
    static std::vector<std::size_t> slots;
    return slots;
}
} // namespace

long LiveTemporaryFiles::add(const char* name) {
    std::lock_guard<std::mutex> hold(freeLock);
    std::size_t slot;
    if (!freeSlots().empty()) {
        slot = freeSlots().back();
        freeSlots().pop_back();
    } else {
        slot = used_.load(std::memory_order_relaxed);
        if (slot >= kBlocks * kBlockSize) return -1;
        std::atomic<Block*>& block = blocks_[slot / kBlockSize];
        if (!block.load(std::memory_order_relaxed)) {
            Block* fresh = new (std::nothrow) Block;
            if (!fresh) return -1;
            block.store(fresh, std::memory_order_release);  // blocks live as long as the process
        }
        // The slot is published only once its block is.
        used_.store(slot + 1, std::memory_order_release);
    }
    blocks_[slot / kBlockSize].load(std::memory_order_relaxed)->names[slot % kBlockSize].store(
        name, std::memory_order_release);
    return static_cast<long>(slot);
}

void LiveTemporaryFiles::remove(long slot) {
    if (slot < 0) return;
    const auto index = static_cast<std::size_t>(slot);
    std::lock_guard<std::mutex> hold(freeLock);
    blocks_[index / kBlockSize].load(std::memory_order_relaxed)->names[index % kBlockSize].store(
        nullptr, std::memory_order_release);
    try {
        freeSlots().push_back(index);
    } catch (const std::bad_alloc&) {
        // The slot is lost for reuse, nothing more.
    }
}

} // namespace Orvane
