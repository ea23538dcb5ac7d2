#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace Orvane {

// One byte for every UTF-16 unit, zero but where set. It comes from calloc:
// a large fresh allocation reads as the system's zero pages until written,
// so a table that marks a few hundred units costs a few pages, where a
// cleared vector would fault in and clear all sixteen at every start.
class UnitTable {
public:
    static constexpr std::size_t kUnits = 65536;

    UnitTable() : bytes_(static_cast<std::uint8_t*>(std::calloc(kUnits, 1))) {
        if (!bytes_) throw std::bad_alloc();
    }

    std::uint8_t& operator[](unsigned short u) { return bytes_[u]; }
    std::uint8_t operator[](unsigned short u) const { return bytes_[u]; }
    const std::uint8_t* data() const { return bytes_.get(); }

private:
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t[], Free> bytes_;
};

} // namespace Orvane
