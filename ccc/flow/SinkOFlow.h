#pragma once

#include <cstddef>
#include <utility>

#include "WidthDispatch.h"

namespace CCC {

// Hands every block written to a function, take(const T* units, n): the end
// of a conveyer whose units go somewhere other than a file. Only width T is
// accepted (others: code 5); a flow made closed takes nothing (code 3).
template <class T, class Take>
class SinkOFlow : public OutputWidths<SinkOFlow<T, Take>> {
    using Base = OutputWidths<SinkOFlow<T, Take>>;

public:
    explicit SinkOFlow(Take take, bool open = true) : Base(ioTypeOf<T>, open), take_(std::move(take)) {}

private:
    friend Base;
    static constexpr const char* kSourceName = "SinkOFlow.h";

    template <class U>
    void writeAny(std::size_t n, const U* b, std::size_t& c) {
        if constexpr (sizeof(U) != sizeof(T)) {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(IOException::kBadWidth);
        } else {
            if (!this->openP()) CCC_THROW_IO(IOException::kNotOpen);
            take_(reinterpret_cast<const T*>(b), n);
            c = n;
            if (n) this->passed();
        }
    }

    Take take_;
};

} // namespace CCC
