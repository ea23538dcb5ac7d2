#pragma once

// What the end-to-end benchmarks draw their Japanese text from, so that
// every run builds the same documents.

#include <string>

namespace bench {

// A deterministic stream of pseudo-random numbers from 0 to 0x7FFF.
class ProseRandom {
public:
    unsigned next() { return seed_ = seed_ * 1103515245u + 12345u, (seed_ >> 16) & 0x7FFF; }

private:
    unsigned seed_ = 4711;
};

// Appends cp in UTF-8. The benchmarks' text holds ASCII and characters from
// U+0800 to U+FFFF only, so one byte or three.
inline void appendUtf8(std::string& s, unsigned cp) {
    if (cp < 0x80) {
        s.push_back(static_cast<char>(cp));
    } else {
        s.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace bench
