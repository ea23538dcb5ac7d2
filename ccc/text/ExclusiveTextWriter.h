#pragma once

#include <mutex>

#include "PthreadMutex.h"
#include "TextWriter.h"

namespace CCC {

// A TextWriter whose every write is one atomic step under its mutex: wait,
// hand the units to the next stage, flush it, release. The lock is held by
// a guard, so a write that throws (no next stage: code 7) still releases it.
//
// A print formats outside that lock. The formatter part and its text
// buffer are shared by every thread printing through this writer, so prints
// take a second lock of their own around collecting and formatting; raw
// writes never wait for it.
template <class T>
class ExclusiveTextWriter : public TextWriter<T> {
public:
    explicit ExclusiveTextWriter(OFlow* dest = nullptr) : TextWriter<T>(dest) {}
    ~ExclusiveTextWriter() override = default;

    std::size_t writeUnits(std::size_t n, const T* units, int flags) override {
        (void)flags;
        std::lock_guard<PthreadMutex> hold(mutex_);
        std::size_t count = 0;
        this->writeDest(n, units, count);
        if (count) this->passed();
        this->destination().flush();
        return count;
    }

    PthreadMutex& getMutex() { return mutex_; }

protected:
    std::size_t vprintRun(const T* format, std::size_t n, va_list ap) override {
        std::lock_guard<std::mutex> hold(printing_);
        return TextWriter<T>::vprintRun(format, n, ap);
    }

private:
    PthreadMutex mutex_;
    std::mutex printing_;
};

} // namespace CCC
