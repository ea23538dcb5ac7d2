#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "ccc/base/TString.h"

namespace Orvane {

// An allocator whose elements made without a value are left as they come:
// storage that is written before it is read need not be cleared first.
template <class T>
struct UnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnclearedAllocator<U>;
    };
    UnclearedAllocator() = default;
    template <class U>
    UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}

    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// UTF-16 units that a longer size leaves uncleared.
using UnclearedUnits = std::vector<unsigned short, UnclearedAllocator<unsigned short>>;

// Blocks of UTF-16 units handed from one thread to another in order. At
// most `bound` wait to be read, so a producer that outruns its reader holds
// little memory; the storage of the blocks read comes back for the next.
template <class BlockType = CCC::TString<unsigned short>>
class BlockQueue {
public:
    using Block = BlockType;

    explicit BlockQueue(std::size_t bound) : bound_(bound) {}

    // The producer's side. Storage for the next block, once fewer than
    // `bound` wait: a used block when there is one, as it was read (the
    // producer writes over it), else an empty one.
    Block recycled() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return pending_.size() < bound_; });
        Block block;
        if (!recycled_.empty()) {
            block = std::move(recycled_.back());
            recycled_.pop_back();
        }
        return block;
    }
    // Storage to hand out before an empty block is made.
    void offer(Block block) {
        const std::lock_guard<std::mutex> lock(mutex_);
        recycled_.push_back(std::move(block));
    }
    // Queues block without waiting for room (the last ones of a run).
    void push(Block block) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            pending_.push_back(std::move(block));
        }
        changed_.notify_all();
    }
    // Nothing more will be pushed.
    void close() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            closed_ = true;
        }
        changed_.notify_all();
    }

    // Closes the queue and takes back the blocks that wait: the reader
    // reads nothing more once done with the block it is on.
    std::deque<Block> closeAndTake() {
        std::deque<Block> waiting;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            closed_ = true;
            waiting.swap(pending_);
        }
        changed_.notify_all();
        return waiting;
    }

    // The reader's side: gives back the storage of block, then waits for
    // the next one; false once the queue is closed and read to its end.
    bool next(Block& block) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (block.capacity()) recycled_.push_back(std::move(block));
        block = Block();
        changed_.wait(lock, [this] { return !pending_.empty() || closed_; });
        if (pending_.empty()) return false;
        block = std::move(pending_.front());
        pending_.pop_front();
        changed_.notify_all();
        return true;
    }
    // A reader that gives up reads on to the end, so no producer waits forever.
    void drain() {
        Block block;
        while (next(block)) {
        }
    }

private:
    const std::size_t bound_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> pending_;
    std::vector<Block> recycled_;
    bool closed_ = false;
};

} // namespace Orvane
