#pragma once

#include <functional>

#include "ccc/flow/PushbackIFilter.h"

// The IOException code an action throws, or 0 when it returns normally.
inline int ioCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const CCC::IOException& e) {
        return e.getCode();
    }
    return 0;
}

// A stage that adds one to every unit, in the unit and the block path, and
// counts its own destruction.
template <class T>
class AddOne : public CCC::PushbackIFilter<T> {
public:
    explicit AddOne(int* deleted) : deleted_(deleted) {}
    ~AddOne() override { ++*deleted_; }

protected:
    T getUnit() override { return static_cast<T>(this->getSrcUnit() + 1); }
    void readUnits(std::size_t n, T* buffer, std::size_t& count) override {
        CCC::PushbackIFilter<T>::readUnits(n, buffer, count);
        for (std::size_t i = 0; i < count; ++i) buffer[i] = static_cast<T>(buffer[i] + 1);
    }

private:
    int* deleted_;
};
