#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Flow.h"
#include "ccc/flow/IFilter.h"

namespace jptest {

using Units = std::vector<unsigned>;
using CodeMap = std::map<unsigned, unsigned>;

// A source over a vector of T units that hands out blocks of random length
// (1..maxBlock) and ends either with a count of 0 or, like a file, by
// throwing code 1 together with the last units.
template <class T>
class ChoppyIFlow : public CCC::IFlow {
public:
    ChoppyIFlow(const Units& units, unsigned seed, std::size_t maxBlock)
        : IFlow(CCC::ioTypeOf<T>, true), rng_(seed), maxBlock_(maxBlock) {
        for (unsigned u : units) data_.push_back(static_cast<T>(u));
    }

    bool rewind() override {
        pos_ = 0;
        return IFlow::rewind();
    }
    char get8() override { return get1<char>(); }
    unsigned short get16() override { return get1<unsigned short>(); }
    unsigned int get32() override { return get1<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readN(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readN(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readN(n, b, c); }

private:
    static constexpr const char* kSourceName = "ChoppyIFlow";

    template <class U>
    U get1() {
        if constexpr (sizeof(U) != sizeof(T)) {
            CCC_THROW_IO(CCC::IOException::kBadWidth);
        } else {
            if (pos_ == data_.size()) CCC_THROW_IO(CCC::IOException::kEndOfData);
            return static_cast<U>(data_[pos_++]);
        }
    }
    template <class U>
    void readN(std::size_t n, U* b, std::size_t& c) {
        if constexpr (sizeof(U) != sizeof(T)) {
            CCC_THROW_IO(CCC::IOException::kBadWidth);
        } else {
            std::size_t want = std::min<std::size_t>(n, 1 + rng_() % maxBlock_);
            c = std::min(want, data_.size() - pos_);
            std::copy(data_.begin() + static_cast<long>(pos_), data_.begin() + static_cast<long>(pos_ + c), b);
            pos_ += c;
            if (c < want && c > 0 && rng_() % 2) CCC_THROW_IO(CCC::IOException::kEndOfData);
        }
    }

    std::vector<T> data_;
    std::size_t pos_ = 0;
    std::mt19937 rng_;
    std::size_t maxBlock_;
};

// How the output of a filter is taken.
enum class Path { kUnits, kBlocks, kMixed };

template <class T>
Units drain(CCC::IFilter& f, Path path, std::mt19937& rng) {
    Units out;
    std::vector<T> buffer(4096);
    for (;;) {
        bool unit = path == Path::kUnits || (path == Path::kMixed && rng() % 3 == 0);
        if (unit) {
            try {
                out.push_back(static_cast<std::make_unsigned_t<T>>(f.get<T>()));
            } catch (const CCC::IOException& e) {
                if (e.getCode() != CCC::IOException::kEndOfData) throw;
                break;
            }
        } else {
            std::size_t n = path == Path::kBlocks ? buffer.size() : 1 + rng() % 9;
            bool atEnd = false;
            std::size_t count = CCC::readBlock<T>(f, buffer.data(), n, atEnd);
            EXPECT_LE(count, n);
            for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<std::make_unsigned_t<T>>(buffer[i]));
            if (atEnd) break;
        }
    }
    // The end stays the end.
    bool atEnd = false;
    EXPECT_EQ(0u, CCC::readBlock<T>(f, buffer.data(), buffer.size(), atEnd));
    return out;
}

inline std::unique_ptr<CCC::IFilter> makeFilter(int number) {
    std::unique_ptr<CCC::IFilter> f(CCC::createJapaneseUnitFilter(number));
    EXPECT_NE(nullptr, f.get()) << "unit filter " << number;
    return f;
}

// Runs unit filter `number` over `input` (bytes or UCS-2 units, as the
// filter takes) and returns its output units.
inline Units convert(int number, const Units& input, Path path = Path::kBlocks, unsigned seed = 1,
                     std::size_t maxSrcBlock = 1 << 20) {
    auto f = makeFilter(number);
    if (!f) return {};
    std::mt19937 rng(seed);
    std::unique_ptr<CCC::IFlow> src;
    if (f->getSrcIOTypeMask() == CCC::kIO16)
        src = std::make_unique<ChoppyIFlow<unsigned short>>(input, seed, maxSrcBlock);
    else
        src = std::make_unique<ChoppyIFlow<char>>(input, seed, maxSrcBlock);
    f->setSrc(src.get());
    return f->getIOType() == CCC::kIO16 ? drain<unsigned short>(*f, path, rng) : drain<char>(*f, path, rng);
}

// Runs a chain of unit filters built by hand (numbers in route order).
inline Units convertChain(const std::vector<int>& numbers, const Units& input, Path path = Path::kBlocks) {
    CCC::CompositIFilter chain;
    CCC::IOType in = 0, out = 0;
    for (int number : numbers) {
        CCC::IFilter* f = CCC::createJapaneseUnitFilter(number);
        if (!f) {
            ADD_FAILURE() << "unit filter " << number;
            return {};
        }
        if (!in) in = f->getSrcIOTypeMask();
        out = f->getIOType();
        chain.add(f);
    }
    std::mt19937 rng(7);
    std::unique_ptr<CCC::IFlow> src;
    if (in == CCC::kIO16) src = std::make_unique<ChoppyIFlow<unsigned short>>(input, 7, 1 << 20);
    else src = std::make_unique<ChoppyIFlow<char>>(input, 7, 1 << 20);
    chain.setSrc(src.get());
    return out == CCC::kIO16 ? drain<unsigned short>(chain, path, rng) : drain<char>(chain, path, rng);
}

inline std::string hex(const Units& units) {
    std::string s;
    char b[8];
    for (unsigned u : units) {
        std::snprintf(b, sizeof b, "%s%X", s.empty() ? "" : " ", u);
        s += b;
    }
    return s;
}

// "CODE UNICODE" lines of a codec dump in tests/data/japanese.
inline CodeMap loadCodecDump(const char* name) {
    CodeMap m;
    std::ifstream in(std::string(QM_TEST_DIR) + "/data/japanese/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        unsigned code = 0, u = 0;
        fields >> std::hex >> code >> u;
        m[code] = u;
    }
    return m;
}

} // namespace jptest
