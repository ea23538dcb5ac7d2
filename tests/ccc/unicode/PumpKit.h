#pragma once

// Driving conversion stages in tests: stages fed by a short-block source
// and read in the three ways, chains of unit filters by number run on plain
// integers of any width, and glibc iconv as reference.

#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <optional>
#include <stdexcept>

#include "ccc/encoding/UnitFilterTable.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "support/Drain.h"
#include "support/ShortBlockFlow.h"

namespace qmtest {

using Bytes = std::string;
using Values = std::vector<unsigned int>;

// Runs units through a stage from a short-block source: blocks of up to
// maxBlock units, or unless given, tiny ones for most seeds and large ones
// for every third; odd seeds end like a file.
template <class Out, class In>
std::vector<Out> run(CCC::IFilter& f, const std::vector<In>& in, ReadMode mode = ReadMode::Blocks,
                     unsigned seed = 1, std::size_t maxBlock = 0) {
    ShortBlockIFlow<In> src(in, {{maxBlock ? maxBlock : seed % 3 == 0 ? 4096 : 7}, seed, seed % 2 == 1});
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

// Calls f with a value of the unit type of width 1, 2 or 4.
template <class F>
auto byWidth(unsigned width, F f) {
    switch (width) {
    case 1: return f(char{});
    case 2: return f(static_cast<unsigned short>(0));
    default: return f(0u);
    }
}

// Runs values of width inWidth through f, reading outWidth.
inline Values runValues(CCC::IFilter& f, unsigned inWidth, const Values& in, unsigned outWidth,
                        ReadMode mode = ReadMode::Blocks, unsigned seed = 1, std::size_t maxBlock = 0) {
    return byWidth(inWidth, [&](auto i) {
        return byWidth(outWidth, [&](auto o) {
            using I = decltype(i);
            std::vector<decltype(o)> out = run<decltype(o)>(f, std::vector<I>(in.begin(), in.end()), mode, seed, maxBlock);
            Values v;
            for (auto u : out) v.push_back(static_cast<std::make_unsigned_t<decltype(o)>>(u));
            return v;
        });
    });
}

// Unit filters chained in route order, then the newline stage of nlConv
// (none for 0) in the width of the last filter's units.
inline std::unique_ptr<CCC::CompositIFilter> chainOf(const std::vector<int>& numbers, int nlConv = 0) {
    auto chain = std::make_unique<CCC::CompositIFilter>();
    for (int n : numbers) chain->add(CCC::UnitFilterTable::create(n));
    if (nlConv) chain->add(CCC::createNewlineStage(nlConv, chain->member(chain->size() - 1)->getIOType()));
    return chain;
}

// Runs values through chainOf(numbers, nlConv); the widths are those of
// the chain's ends.
inline Values pump(const std::vector<int>& numbers, const Values& in, ReadMode mode = ReadMode::Blocks,
                   unsigned seed = 1, std::size_t maxBlock = 0, int nlConv = 0) {
    auto chain = chainOf(numbers, nlConv);
    return runValues(*chain, chain->member(0)->getSrcIOTypeMask(), in, chain->member(chain->size() - 1)->getIOType(),
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
