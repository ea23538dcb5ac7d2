#pragma once

// Shared by the fuzz targets: library start-up, and a conversion read in the
// three ways of the test kit, over whole and over cut-short source blocks.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "support/Drain.h"
#include "support/ShortBlockFlow.h"

namespace fuzz {

inline void startLibrary() {
    static const bool started = CCC::Ccc::initialize();
    if (!started) std::abort();
}

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// True when every code point of the UTF-16 text is one XML 1.0 allows:
// TAB, LF, U+0020-U+D7FF, U+E000-U+FFFD, and pairs of surrogates. CR is
// refused too: a document in memory ends its lines with LF alone.
template <class Units>
bool xmlCharsOnlyP(const Units& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned u = text[i];
        if (u < 0x20 && u != 0x9 && u != 0xA) return false;
        if (u == 0xFFFE || u == 0xFFFF || (u >= 0xDC00 && u <= 0xDFFF)) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

// Units handed out in blocks of the given sizes in turn (none: unlimited).
template <class In>
using Source = qmtest::ShortBlockIFlow<In>;

// Block sizes derived from the input, so that the fuzzer steers them.
inline std::vector<std::size_t> chunksOf(const std::uint8_t* data, std::size_t size) {
    std::vector<std::size_t> chunks;
    for (std::size_t i = 0; i < size && chunks.size() < 8; i += 7) chunks.push_back(1 + data[i] % 13);
    return chunks;
}

template <class Out>
struct Outcome {
    std::vector<Out> units;
    int code = 0;  // IOException code that ended the reading, 0 for a normal end
};

// The chain (owned from here) decodes the source, read in the given way.
template <class Out>
Outcome<Out> decode(CCC::CompositIFilter* chain, CCC::IFlow& src, qmtest::ReadMode mode, unsigned seed) {
    const std::unique_ptr<CCC::CompositIFilter> owned(chain);
    Outcome<Out> r;
    chain->setSrc(&src);
    try {
        r.units = qmtest::drain<Out>(*chain, mode, seed);
    } catch (const CCC::IOException& e) {
        r.code = e.getCode();
    }
    return r;
}

template <class Out>
void expectSame(const Outcome<Out>& a, const Outcome<Out>& b, const char* what) {
    if (a.code != b.code) fail(what);
    // After a failure the units already read depend on the block sizes.
    if (a.code == 0 && a.units != b.units) fail(what);
}

// Converts the input, units of In in machine order, from `from` to `to`
// (units of Out) in the three ways, over whole and over cut-short source
// blocks; all must agree.
template <class In, class Out>
void checkRoute(CCC::CeId from, CCC::CeId to, const std::uint8_t* data, std::size_t size) {
    auto make = [from, to] { return CCC::Iceman::createCompositIFilter(from, to); };
    CCC::CompositIFilter* a = make();
    if (!a) {
        // The route's filters are not all there: nothing to check.
        static bool told = false;
        if (!told) std::fprintf(stderr, "fuzz: no chain from %d to %d\n", from, to);
        told = true;
        return;
    }
    using qmtest::ReadMode;
    const std::size_t length = size / sizeof(In) * sizeof(In);
    CCC::FixedMemIFlow whole(data, length), wholeB(data, length);
    std::vector<In> units(length / sizeof(In));
    if (length) std::memcpy(units.data(), data, length);
    Source<In> cut(units, {chunksOf(data, size)}), cutB(units, {chunksOf(data, size)});
    const auto byUnits = decode<Out>(a, whole, ReadMode::Units, 1);
    expectSame(byUnits, decode<Out>(make(), wholeB, ReadMode::Blocks, 1), "block path differs from unit path");
    expectSame(byUnits, decode<Out>(make(), cut, ReadMode::Mixed, static_cast<unsigned>(size)),
               "mixed unit and block reads differ from unit path");
    expectSame(byUnits, decode<Out>(make(), cutB, ReadMode::Blocks, 2), "short source blocks change the result");
}

// A decoder from `from` to UTF-16 ("utf-16n", 10).
inline void checkDecoder(CCC::CeId from, const std::uint8_t* data, std::size_t size) {
    checkRoute<char, unsigned short>(from, 10, data, size);
}

} // namespace fuzz
