#pragma once

// Helpers for driving conversion stages in tests: a source that hands out
// short blocks, the three ways of reading a stage (unit by unit, block-wise
// with random block sizes, and the two mixed), and glibc iconv as reference.

#include <iconv.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ccc/flow/IFilter.h"

namespace qmtest {

using Bytes = std::string;

// Units of width T held in a vector. Block reads deliver a random number of
// units between 1 and maxBlock; the end of data is a count of 0, or (like a
// file) the last units stored together with IOException code 1.
template <class T>
class ChoppyIFlow : public CCC::IFlow {
public:
    ChoppyIFlow(std::vector<T> units, unsigned seed, std::size_t maxBlock = 7, bool fileLikeEnd = false)
        : CCC::IFlow(CCC::ioTypeOf<T>, true), units_(std::move(units)), rng_(seed),
          maxBlock_(maxBlock), fileLikeEnd_(fileLikeEnd) {}

    bool rewind() override {
        pos_ = 0;
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
    static constexpr const char* kSourceName = "ChoppyIFlow";

    template <class U>
    U getAs() {
        if constexpr (sizeof(U) != sizeof(T)) {
            CCC_THROW_IO(CCC::IOException::kBadWidth);
        } else {
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
            std::size_t want = std::min<std::size_t>(n, 1 + rng_() % maxBlock_);
            c = std::min(want, units_.size() - pos_);
            if (c) std::memcpy(b, units_.data() + pos_, c * sizeof(T));
            pos_ += c;
            if (c) passed();
            if (fileLikeEnd_ && pos_ == units_.size() && (c < want || c == 0))
                CCC_THROW_IO(CCC::IOException::kEndOfData);
        }
    }

    std::vector<T> units_;
    std::size_t pos_ = 0;
    std::mt19937 rng_;
    std::size_t maxBlock_;
    bool fileLikeEnd_;
    std::size_t blockReads_ = 0;
};

enum class ReadMode { Units, Blocks, Mixed };

// Reads the stage to its end in the given way; block sizes are random.
template <class Out>
std::vector<Out> drain(CCC::IFlow& f, ReadMode mode, unsigned seed = 1) {
    std::vector<Out> out;
    std::mt19937 rng(seed);
    std::vector<Out> buf(4096);
    for (;;) {
        bool unit = mode == ReadMode::Units || (mode == ReadMode::Mixed && rng() % 3 == 0);
        if (unit) {
            try {
                out.push_back(f.get<Out>());
            } catch (const CCC::IOException& e) {
                if (e.getCode() != CCC::IOException::kEndOfData) throw;
                return out;
            }
        } else {
            bool atEnd = false;
            std::size_t want = 1 + (rng() % 4 ? rng() % 64 : rng() % buf.size());
            std::size_t n = CCC::readBlock<Out>(f, buf.data(), want, atEnd);
            out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
            if (atEnd) return out;
        }
    }
}

// Runs units through a stage from a ChoppyIFlow source. The seed also picks
// the source's blocks: tiny ones for most seeds, large ones for every third.
template <class Out, class In>
std::vector<Out> run(CCC::IFilter& f, const std::vector<In>& in, ReadMode mode = ReadMode::Blocks,
                     unsigned seed = 1) {
    ChoppyIFlow<In> src(in, seed, seed % 3 == 0 ? 4096 : 7, seed % 2 == 1);
    f.setSrc(&src);
    std::vector<Out> out = drain<Out>(f, mode, seed * 7 + 3);
    f.setSrc(nullptr);
    return out;
}

// Units of width T from bytes in machine order, and back.
template <class T>
std::vector<T> unitsOf(const Bytes& b) {
    std::vector<T> v(b.size() / sizeof(T));
    if (!v.empty()) std::memcpy(v.data(), b.data(), v.size() * sizeof(T));
    return v;
}
template <class T>
Bytes bytesOf(const std::vector<T>& v) {
    return v.empty() ? Bytes() : Bytes(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(T));
}

// glibc iconv; throws when the input holds anything it cannot convert.
inline Bytes iconvConvert(const char* from, const char* to, const Bytes& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv_open ") + from);
    Bytes out(in.size() * 4 + 16, '\0');
    char* ip = const_cast<char*>(in.data());
    std::size_t il = in.size();
    char* op = out.data();
    std::size_t ol = out.size();
    std::size_t r = iconv(cd, &ip, &il, &op, &ol);
    if (r != static_cast<std::size_t>(-1)) r = iconv(cd, nullptr, nullptr, &op, &ol);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) throw std::runtime_error("iconv failed");
    out.resize(out.size() - ol);
    return out;
}

// Random valid Unicode text as code points: mostly ASCII and Japanese, some
// Latin, other BMP characters and characters beyond the BMP.
inline std::vector<unsigned int> randomText(std::mt19937& rng, std::size_t n, bool bmpOnly = false) {
    std::vector<unsigned int> cps;
    cps.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        unsigned int cp;
        switch (rng() % 8) {
        case 0: case 1: cp = 0x20 + rng() % 0x5F; break;
        case 2: cp = rng() % 0x80; break;
        case 3: cp = 0x80 + rng() % 0x780; break;
        case 4: cp = 0x3040 + rng() % 0x60; break;
        case 5: cp = 0x4E00 + rng() % 0x5200; break;
        case 6: cp = 0x800 + rng() % (0xFFFE - 0x800); break;
        default: cp = bmpOnly ? 0xFF01 + rng() % 0x5E : 0x10000 + rng() % 0x100000; break;
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0x3042;
        if (cp == 0xFEFF || cp == 0xFFFE) cp = 0x3044;
        if (i == 0 && cp == 0) cp = 0x41;
        cps.push_back(cp);
    }
    return cps;
}

inline Bytes utf32leBytes(const std::vector<unsigned int>& cps) { return bytesOf(cps); }

} // namespace qmtest
