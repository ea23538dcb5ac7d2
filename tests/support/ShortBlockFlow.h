#pragma once

// A test source that hands out its units in short blocks, to exercise every
// block boundary a stage can meet.

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ccc/flow/Flow.h"

namespace qmtest {

// Units of width T. Block reads deliver the sizes in `blocks` in turn (or,
// with `seed` set, a random size from 1 to the largest of them). The end of
// data is a count of 0, or with fileLikeEnd (as a file flow does) the last
// units stored together with IOException code 1. With failAt set, reading
// at or past that unit fails with a medium error (code 8), the count of
// what was read before it stored. Reading another width throws code 9.
template <class T>
class ShortBlockIFlow : public CCC::IFlow {
public:
    struct Options {
        std::vector<std::size_t> blocks{7};
        unsigned seed = 0;  // 0: the sizes in turn
        bool fileLikeEnd = false;
        std::size_t failAt = static_cast<std::size_t>(-1);
    };

    ShortBlockIFlow(std::vector<T> units, Options options)
        : CCC::IFlow(CCC::ioTypeOf<T>, true), units_(std::move(units)), options_(std::move(options)),
          rng_(options_.seed) {}
    explicit ShortBlockIFlow(std::vector<T> units) : ShortBlockIFlow(std::move(units), Options{}) {}

    bool rewind() override {
        pos_ = 0;
        next_ = 0;
        return CCC::IFlow::rewind();
    }
    char get8() override { return getAs<char>(); }
    unsigned short get16() override { return getAs<unsigned short>(); }
    unsigned int get32() override { return getAs<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readAs(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readAs(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readAs(n, b, c); }

    std::size_t blockReads() const { return blockReads_; }

private:
    static constexpr const char* kSourceName = "ShortBlockIFlow";

    std::size_t nextBlock() {
        const auto& b = options_.blocks;
        if (b.empty()) return static_cast<std::size_t>(-1);
        if (options_.seed) return 1 + rng_() % *std::max_element(b.begin(), b.end());
        return b[next_++ % b.size()];
    }
    template <class U>
    U getAs() {
        if constexpr (sizeof(U) != sizeof(T)) {
            CCC_THROW_IO(CCC::IOException::kBadWidth);
        } else {
            if (pos_ >= options_.failAt) CCC_THROW_IO(CCC::IOException::kMediumError);
            if (pos_ == units_.size()) CCC_THROW_IO(CCC::IOException::kEndOfData);
            passed();
            return static_cast<U>(units_[pos_++]);
        }
    }
    template <class U>
    void readAs(std::size_t n, U* b, std::size_t& c) {
        if constexpr (sizeof(U) != sizeof(T)) {
            (void)n, (void)b, (void)c;
            CCC_THROW_IO(CCC::IOException::kBadWidth);
        } else {
            ++blockReads_;
            const std::size_t want = std::min(n, nextBlock());
            const std::size_t limit = std::min(units_.size(), options_.failAt);
            c = pos_ < limit ? std::min(want, limit - pos_) : 0;
            if (c) std::memcpy(b, units_.data() + pos_, c * sizeof(T));
            pos_ += c;
            if (c) passed();
            if (c < want && pos_ >= options_.failAt) CCC_THROW_IO(CCC::IOException::kMediumError);
            if (options_.fileLikeEnd && pos_ == units_.size() && c < want) CCC_THROW_IO(CCC::IOException::kEndOfData);
        }
    }

    std::vector<T> units_;
    Options options_;
    std::mt19937 rng_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
    std::size_t blockReads_ = 0;
};

// Bytes of a string as a short-block source.
inline std::vector<char> bytesOf(const std::string& s) { return std::vector<char>(s.begin(), s.end()); }

} // namespace qmtest
