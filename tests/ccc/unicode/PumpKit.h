#pragma once

// Helpers for driving conversion stages in tests: a source that hands out
// short blocks, the three ways of reading a stage (unit by unit, block-wise
// with random block sizes, and mixed), chains of unit filters by number run
// on plain integers of any width, and glibc iconv as reference.

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ccc/encoding/UnitFilterTable.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/IFilter.h"

namespace qmtest {

using Bytes = std::string;
using Values = std::vector<unsigned int>;

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
inline const ReadMode kModes[] = {ReadMode::Units, ReadMode::Blocks, ReadMode::Mixed};

// Reads the stage to its end in the given way; block sizes are random.
// Once reached, the end must stay the end.
template <class Out>
std::vector<Out> drain(CCC::IFlow& f, ReadMode mode, unsigned seed = 1) {
    std::vector<Out> out;
    std::mt19937 rng(seed);
    std::vector<Out> buf(4096);
    bool atEnd = false;
    while (!atEnd) {
        if (mode == ReadMode::Units || (mode == ReadMode::Mixed && rng() % 3 == 0)) {
            try {
                out.push_back(f.get<Out>());
            } catch (const CCC::IOException& e) {
                if (e.getCode() != CCC::IOException::kEndOfData) throw;
                atEnd = true;
            }
        } else {
            std::size_t want = 1 + (rng() % 4 ? rng() % 64 : rng() % buf.size());
            std::size_t n = CCC::readBlock<Out>(f, buf.data(), want, atEnd);
            EXPECT_LE(n, want);
            out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
        }
    }
    EXPECT_EQ(0u, CCC::readBlock<Out>(f, buf.data(), buf.size(), atEnd));
    return out;
}

// Runs units through a stage from a ChoppyIFlow source. Unless maxBlock is
// given, the seed picks the source's blocks: tiny ones for most seeds, large
// ones for every third; odd seeds end like a file.
template <class Out, class In>
std::vector<Out> run(CCC::IFilter& f, const std::vector<In>& in, ReadMode mode = ReadMode::Blocks,
                     unsigned seed = 1, std::size_t maxBlock = 0) {
    ChoppyIFlow<In> src(in, seed, maxBlock ? maxBlock : seed % 3 == 0 ? 4096 : 7, seed % 2 == 1);
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

template <class T>
std::vector<T> narrowTo(const Values& v) {
    return std::vector<T>(v.begin(), v.end());
}
template <class T>
Values widen(const std::vector<T>& v) {
    Values out;
    for (T u : v) out.push_back(static_cast<std::make_unsigned_t<T>>(u));
    return out;
}
inline Values valuesOf(const Bytes& b) { return widen(std::vector<char>(b.begin(), b.end())); }

inline std::unique_ptr<CCC::CompositIFilter> chainOf(const std::vector<int>& numbers) {
    auto c = std::make_unique<CCC::CompositIFilter>();
    for (int n : numbers) {
        CCC::IFilter* f = CCC::UnitFilterTable::create(n);
        EXPECT_NE(f, nullptr) << "unit filter " << n;
        if (f) c->add(f);
    }
    return c;
}

// Calls f with a value of the unit type of width 1, 2 or 4.
template <class F>
auto byWidth(int width, F f) {
    switch (width) {
    case 1: return f(char{});
    case 2: return f(static_cast<unsigned short>(0));
    default: return f(0u);
    }
}

// Runs values of width inWidth (1, 2 or 4) through f, reading outWidth.
inline Values runValues(CCC::IFilter& f, int inWidth, const Values& in, int outWidth,
                        ReadMode mode = ReadMode::Blocks, unsigned seed = 1, std::size_t maxBlock = 0) {
    return byWidth(inWidth, [&](auto i) {
        return byWidth(outWidth, [&](auto o) {
            return widen(run<decltype(o)>(f, narrowTo<decltype(i)>(in), mode, seed, maxBlock));
        });
    });
}

// Runs values through unit filters chained in route order; the widths are
// those of the chain's ends.
inline Values pump(const std::vector<int>& numbers, const Values& in, ReadMode mode = ReadMode::Blocks,
                   unsigned seed = 1, std::size_t maxBlock = 0) {
    std::unique_ptr<CCC::IFilter> first(CCC::UnitFilterTable::create(numbers.front()));
    std::unique_ptr<CCC::IFilter> last(CCC::UnitFilterTable::create(numbers.back()));
    if (!first || !last) return {};
    auto chain = chainOf(numbers);
    return runValues(*chain, static_cast<int>(first->getSrcIOTypeMask()), in, static_cast<int>(last->getIOType()),
                     mode, seed, maxBlock);
}

// A glibc iconv descriptor; run() converts one whole input from the
// initial state, or gives nullopt when iconv refuses any of it.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (okP()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool okP() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<Bytes> run(const Bytes& in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        Bytes out(in.size() * 4 + 16, '\0');
        char* ip = const_cast<char*>(in.data());
        char* op = out.data();
        std::size_t il = in.size(), ol = out.size();
        if (iconv(cd_, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &op, &ol) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - ol);
        return out;
    }

private:
    iconv_t cd_;
};

// glibc iconv in one call; throws when it cannot convert the input.
inline Bytes iconvConvert(const char* from, const char* to, const Bytes& in) {
    Iconv cd(to, from);
    if (!cd.okP()) throw std::runtime_error(std::string("iconv_open ") + from);
    if (auto out = cd.run(in)) return *out;
    throw std::runtime_error("iconv failed");
}

// Random valid Unicode text as code points: mostly ASCII and Japanese, some
// Latin, other BMP characters and characters beyond the BMP.
inline std::vector<unsigned int> randomText(std::mt19937& rng, std::size_t n, bool bmpOnly = false) {
    std::vector<unsigned int> cps;
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

} // namespace qmtest
