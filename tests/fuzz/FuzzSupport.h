#pragma once

// Shared by the fuzz targets: library start-up, a source that cuts its
// blocks short, and the three ways of pumping a chain whose results must
// agree (the unit path, the block path, and unit and block reads mixed).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/StringFlow.h"

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

// Bytes of memory handed out in blocks whose sizes cycle through `chunks`
// (1-255 each).
class ChunkedIFlow : public CCC::IFlow {
public:
    ChunkedIFlow(const std::uint8_t* data, std::size_t size, std::vector<std::size_t> chunks)
        : IFlow(CCC::kIO8, true), data_(data), size_(size), chunks_(std::move(chunks)) {}

    char get8() override {
        if (pos_ >= size_) CCC_THROW_IO(CCC::IOException::kEndOfData);
        passed();
        return static_cast<char>(data_[pos_++]);
    }
    void read8(std::size_t n, char* buffer, std::size_t& count) override {
        std::size_t want = chunks_.empty() ? n : chunks_[next_++ % chunks_.size()];
        if (want > n) want = n;
        count = want < size_ - pos_ ? want : size_ - pos_;
        if (count) std::memcpy(buffer, data_ + pos_, count);
        pos_ += count;
        if (count) passed();
    }

private:
    static constexpr const char* kSourceName = "ChunkedIFlow";

    const std::uint8_t* data_;
    std::size_t size_;
    std::vector<std::size_t> chunks_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
};

// Block sizes derived from the input, so that the fuzzer steers them.
inline std::vector<std::size_t> chunksOf(const std::uint8_t* data, std::size_t size) {
    std::vector<std::size_t> chunks;
    for (std::size_t i = 0; i < size && chunks.size() < 8; i += 7) chunks.push_back(1 + data[i] % 13);
    return chunks;
}

template <class T>
struct Outcome {
    CCC::TString<T> units;
    int code = 0;  // IOException code that ended the pump, 0 for a normal end
};

// Unit by unit through Conveyer::carry.
template <class T>
Outcome<T> pumpUnits(CCC::IFilter& chain, CCC::IFlow& src) {
    Outcome<T> r;
    chain.setSrc(&src);
    CCC::StringOFlow<T> out(&r.units);
    try {
        CCC::Conveyer(&chain, &out).carry(CCC::ioTypeOf<T>);
    } catch (const CCC::IOException& e) {
        r.code = e.getCode();
    }
    return r;
}

// Block-wise through Conveyer::carryBlocks.
template <class T>
Outcome<T> pumpBlocks(CCC::IFilter& chain, CCC::IFlow& src) {
    Outcome<T> r;
    chain.setSrc(&src);
    CCC::StringOFlow<T> out(&r.units);
    try {
        CCC::Conveyer(&chain, &out).carryBlocks(CCC::ioTypeOf<T>);
    } catch (const CCC::IOException& e) {
        r.code = e.getCode();
    }
    return r;
}

// Single units and blocks of varying sizes, read alternately.
template <class T>
Outcome<T> pumpMixed(CCC::IFilter& chain, CCC::IFlow& src, unsigned seed) {
    Outcome<T> r;
    chain.setSrc(&src);
    T buffer[64];
    try {
        for (;;) {
            seed = seed * 1103515245u + 12345u;
            unsigned pick = (seed >> 16) % 65;
            if (pick == 0) {
                try {
                    r.units.push_back(chain.get<T>());
                } catch (const CCC::IOException& e) {
                    if (e.getCode() != CCC::IOException::kEndOfData) throw;
                    break;
                }
            } else {
                bool atEnd = false;
                std::size_t n = CCC::readBlock<T>(chain, buffer, pick, atEnd);
                if (n > pick) fail("a block read stored more units than asked for");
                r.units.append(buffer, n);
                if (atEnd) break;
            }
        }
    } catch (const CCC::IOException& e) {
        r.code = e.getCode();
    }
    return r;
}

template <class T>
void expectSame(const Outcome<T>& a, const Outcome<T>& b, const char* what) {
    if (a.code != b.code) fail(what);
    // After a failure the units already pumped depend on the block sizes.
    if (a.code == 0 && a.units != b.units) fail(what);
}

// Decodes the input from `from` to UTF-16 ("utf-16n", 10) in the three ways,
// over whole and over cut-short source blocks; all must agree.
inline void checkDecoder(CCC::CeId from, const std::uint8_t* data, std::size_t size) {
    constexpr CCC::CeId kUtf16N = 10;
    auto make = [from] { return CCC::Iceman::createCompositIFilter(from, kUtf16N); };
    CCC::CompositIFilter* a = make();
    if (!a) {
        // The route's filters are not all there: nothing to check.
        static bool told = false;
        if (!told) std::fprintf(stderr, "fuzz: no chain from %d to %d\n", from, kUtf16N);
        told = true;
        return;
    }
    CCC::CompositIFilter* b = make();
    CCC::CompositIFilter* c = make();
    CCC::CompositIFilter* d = make();

    CCC::FixedMemIFlow memA(data, size), memB(data, size);
    ChunkedIFlow chunkedC(data, size, chunksOf(data, size));
    ChunkedIFlow chunkedD(data, size, chunksOf(data, size));
    auto units = pumpUnits<unsigned short>(*a, memA);
    auto blocks = pumpBlocks<unsigned short>(*b, memB);
    auto mixed = pumpMixed<unsigned short>(*c, chunkedC, static_cast<unsigned>(size));
    auto shortBlocks = pumpBlocks<unsigned short>(*d, chunkedD);
    expectSame(units, blocks, "block path differs from unit path");
    expectSame(units, mixed, "mixed unit and block reads differ from unit path");
    expectSame(units, shortBlocks, "short source blocks change the result");
    delete a;
    delete b;
    delete c;
    delete d;
}

} // namespace fuzz
