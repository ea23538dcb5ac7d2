#pragma once

#include <cstring>
#include <memory>

#include "TIFilter.h"

namespace CCC {

// A stage with a push-back stack of output units (for example the second
// half of a surrogate pair already decoded). Pushed units come back last in,
// first out, before anything is read from the source. Conversion stages
// derive from it and override getUnit() / readUnits().
template <class T>
class PushbackIFilter : public TIFilter<T> {
public:
    static constexpr std::size_t kInitialCapacity = 16;

    explicit PushbackIFilter(IOType acceptedSrc = kIOAll)
        : TIFilter<T>(acceptedSrc), stack_(new T[kInitialCapacity]), capacity_(kInitialCapacity) {}

    virtual void unget(T u) {
        if (count_ == capacity_) {
            std::unique_ptr<T[]> grown(new T[capacity_ * 2]);
            std::memcpy(grown.get(), stack_.get(), count_ * sizeof(T));
            stack_ = std::move(grown);
            capacity_ *= 2;
        }
        stack_[count_++] = u;
    }

    T getSrcUnit() override { return count_ ? stack_[--count_] : TIFilter<T>::getSrcUnit(); }

    bool rewind() override {
        count_ = 0;
        return TIFilter<T>::rewind();
    }

    std::size_t pushbackCount() const { return count_; }
    std::size_t pushbackCapacity() const { return capacity_; }

protected:
    T getUnit() override { return getSrcUnit(); }
    void readUnits(std::size_t n, T* buffer, std::size_t& count) override {
        count = takePushback(buffer, n);
        if (count == 0) {
            // Straight from the source, which may store a last short block
            // in count and then report the end by throwing.
            this->readSrc(n, buffer, count);
        } else if (count < n) {
            // Deliver what was pushed back; never let the end of the source
            // swallow units already taken from the stack.
            bool atEnd = false;
            count += readBlock<T>(this->source(), buffer + count, n - count, atEnd);
        }
    }

    bool pushbackEmptyP() const { return count_ == 0; }

    // Moves up to n pushed-back units into buffer in pop order; returns how many.
    std::size_t takePushback(T* buffer, std::size_t n) {
        std::size_t k = 0;
        while (k < n && count_) buffer[k++] = stack_[--count_];
        return k;
    }

    void clearPushback() { count_ = 0; }

private:
    std::unique_ptr<T[]> stack_;
    std::size_t capacity_;
    std::size_t count_ = 0;
};

} // namespace CCC
