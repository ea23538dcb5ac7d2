#pragma once

#include <mutex>

#include "../base/Object.h"

namespace CCC {

// The writer's lock: created unowned and unnamed, waited for without a time
// limit, released by its holder. lock/unlock make it usable with
// std::lock_guard, which releases it also when the guarded write throws.
class PthreadMutex : public Object {
public:
    PthreadMutex() = default;
    PthreadMutex(const PthreadMutex&) = delete;
    PthreadMutex& operator=(const PthreadMutex&) = delete;

    void wait() { m_.lock(); }
    bool tryWait() { return m_.try_lock(); }
    void release() { m_.unlock(); }

    void lock() { wait(); }
    bool try_lock() { return tryWait(); }
    void unlock() { release(); }

private:
    std::mutex m_;
};

} // namespace CCC
