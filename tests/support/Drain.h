#pragma once

// Reading a stage to its end in the three ways whose results must agree:
// unit by unit, block-wise with random block sizes, and the two mixed.
// Free of the test framework, so that the fuzz targets share it.

#include <random>
#include <stdexcept>
#include <vector>

#include "ccc/flow/Flow.h"

namespace qmtest {

enum class ReadMode { Units, Blocks, Mixed };
inline const ReadMode kModes[] = {ReadMode::Units, ReadMode::Blocks, ReadMode::Mixed};

// Reads the stage to its end in the given way; a block read that stores
// more than asked for, or an end that does not stay the end, throws
// std::logic_error. A stage's own failures pass through as IOException.
template <class Out>
std::vector<Out> drain(CCC::IFlow& f, ReadMode mode, unsigned seed = 1) {
    std::vector<Out> out, buf(4096);
    std::mt19937 rng(seed);
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
            if (n > want) throw std::logic_error("a block read stored more units than asked for");
            out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
        }
    }
    if (CCC::readBlock<Out>(f, buf.data(), buf.size(), atEnd) != 0)
        throw std::logic_error("units after the end of data");
    return out;
}

} // namespace qmtest
