#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "ccc/flow/Flow.h"

// All the bytes of a string literal, 0 bytes included: B("\x00<").
#define B(lit) std::string(lit, sizeof(lit) - 1)

// An 8-bit input flow over a byte string that delivers its blocks short, in
// the sizes given (cycling), and can fail with a medium error (code 8) after
// a number of bytes, storing the count as the file flows do. With
// unitsOnly, read8 is the base class's unit loop over get8.
class ChunkedIFlow : public CCC::IFlow {
public:
    ChunkedIFlow(std::string data, std::vector<std::size_t> chunks, std::size_t failAt = std::string::npos,
                 bool unitsOnly = false)
        : IFlow(CCC::kIO8, true), data_(std::move(data)), chunks_(std::move(chunks)), failAt_(failAt),
          unitsOnly_(unitsOnly) {}

    char get8() override {
        if (pos_ >= failAt_) CCC_THROW_IO(CCC::IOException::kMediumError);
        if (pos_ >= data_.size()) CCC_THROW_IO(CCC::IOException::kEndOfData);
        return data_[pos_++];
    }
    void read8(std::size_t n, char* buffer, std::size_t& count) override {
        if (unitsOnly_) return IFlow::read8(n, buffer, count);
        std::size_t want = chunks_.empty() ? n : chunks_[next_++ % chunks_.size()];
        if (want > n) want = n;
        std::size_t limit = failAt_ < data_.size() ? failAt_ : data_.size();
        count = pos_ < limit ? std::min(want, limit - pos_) : 0;
        data_.copy(buffer, count, pos_);
        pos_ += count;
        if (count < want && pos_ >= failAt_) CCC_THROW_IO(CCC::IOException::kMediumError);
    }
    bool rewind() override {
        pos_ = 0;
        return IFlow::rewind();
    }

private:
    static constexpr const char* kSourceName = "ChunkedIFlow";

    std::string data_;
    std::vector<std::size_t> chunks_;
    std::size_t failAt_;
    bool unitsOnly_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
};
