#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "BlockQueue.h"
#include "ccc/base/TString.h"

namespace Orvane {

// UTF-16 units appended at the end of storage that is never cleared, its
// room kept by hand: an append that fits is a copy and an addition, and a
// short one is two moves without a call. The writer's body, whose appends
// are mostly tags of a few units, is one.
class UnitBuffer {
public:
    using Unit = unsigned short;

    std::size_t size() const { return used_; }
    bool empty() const { return used_ == 0; }
    const Unit* data() const { return room_.data(); }
    CCC::UnitStringView<Unit> view() const { return {room_.data(), used_}; }
    void clear() { used_ = 0; }
    // Room for n units in all, taken now.
    void reserve(std::size_t n) {
        if (n > room_.size()) grow(n - used_);
    }

    void append(const Unit* units, std::size_t n) {
        if (n > room_.size() - used_) grow(n);
        copyUnits(room_.data() + used_, units, n);
        used_ += n;
    }
    void append(const Unit* first, const Unit* last) { append(first, static_cast<std::size_t>(last - first)); }
    void push_back(Unit unit) {
        if (used_ == room_.size()) grow(1);
        room_[used_++] = unit;
    }
    UnitBuffer& operator+=(const CCC::TString<Unit>& text) {
        append(text.data(), text.size());
        return *this;
    }

    // Drops the first n units.
    void eraseFront(std::size_t n) {
        used_ -= n;
        if (used_) std::memmove(room_.data(), room_.data() + n, used_ * sizeof(Unit));
    }
    // The first n units as a block of their own, with no copy: the rest
    // moves into `storage` (a used block, or none), which becomes this
    // buffer's room.
    UnclearedUnits takeFront(std::size_t n, UnclearedUnits storage) {
        const std::size_t rest = used_ - n;
        if (storage.size() < room_.size()) storage.resize(room_.size());
        if (rest) std::memcpy(storage.data(), room_.data() + n, rest * sizeof(Unit));
        storage.swap(room_);
        used_ = rest;
        storage.resize(n);
        return storage;
    }

private:
    // Up to 16 units in two overlapping moves of 8 or 16 bytes.
    static void copyUnits(Unit* to, const Unit* from, std::size_t n) {
        if (n > 16) {
            std::memcpy(to, from, n * sizeof(Unit));
        } else if (n >= 8) {
            std::memcpy(to, from, 16);
            std::memcpy(to + n - 8, from + n - 8, 16);
        } else if (n >= 4) {
            std::memcpy(to, from, 8);
            std::memcpy(to + n - 4, from + n - 4, 8);
        } else {
            for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
        }
    }
    // Room for `more` units past the used ones, at least doubled.
    void grow(std::size_t more) {
        UnclearedUnits bigger;
        bigger.resize(std::max({2 * room_.size(), used_ + more, kLeastRoom}));
        if (used_) std::memcpy(bigger.data(), room_.data(), used_ * sizeof(Unit));
        room_.swap(bigger);
    }

    static constexpr std::size_t kLeastRoom = 256;

    UnclearedUnits room_;  // its size is the room; the first used_ units are the text
    std::size_t used_ = 0;
};

} // namespace Orvane
