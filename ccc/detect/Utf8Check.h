#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace CCC {

// Incremental UTF-8 check over a byte stream: well-formed sequences only
// (no overlong forms, no surrogates, nothing above U+10FFFF). Text that
// passes and holds a multi-byte sequence is UTF-8 and nothing else in
// practice: the Japanese double-byte encodings almost never form it.
class Utf8Check {
public:
    void feed(const unsigned char* p, std::size_t n) {
        std::size_t i = 0;
        while (i < n && valid_) {
            if (pending_ == 0) {
                // Between characters the common cases skip the byte-wise
                // steps: ASCII eight bytes at a time, then whole three-byte
                // sequences (kana and kanji); the rest goes through step().
                for (std::uint64_t word; i + 8 <= n; i += 8) {
                    std::memcpy(&word, p + i, 8);
                    if (word & 0x8080808080808080ull) break;
                }
                const std::size_t start = i;
                while (i + 3 <= n && wholeThreeP(p + i)) i += 3;
                if (i != start) nonAscii_ = true;
                if (i == n) break;
            }
            step(p[i++]);
        }
    }
    // Feeds the rest of a file, block by block, until it fails or ends; a
    // read error fails the check.
    void feed(std::FILE* file) {
        unsigned char block[65536];
        std::size_t n;
        while (valid_ && (n = std::fread(block, 1, sizeof block, file)) > 0) feed(block, n);
        if (std::ferror(file)) valid_ = false;
    }
    // Valid to the end, and at least one multi-byte sequence.
    bool utf8P() const { return valid_ && pending_ == 0 && nonAscii_; }

private:
    static bool wholeThreeP(const unsigned char* s) {
        if ((s[0] & 0xF0) != 0xE0 || (s[2] & 0xC0) != 0x80) return false;
        const unsigned char lower = s[0] == 0xE0 ? 0xA0 : 0x80;
        const unsigned char upper = s[0] == 0xED ? 0x9F : 0xBF;
        return s[1] >= lower && s[1] <= upper;
    }

    void step(unsigned char b) {
        if (pending_ == 0) {
            if (b < 0x80) return;
            nonAscii_ = true;
            lower_ = 0x80;
            upper_ = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) pending_ = 1;
            else if (b >= 0xE0 && b <= 0xEF) {
                pending_ = 2;
                if (b == 0xE0) lower_ = 0xA0;
                if (b == 0xED) upper_ = 0x9F;
            } else if (b >= 0xF0 && b <= 0xF4) {
                pending_ = 3;
                if (b == 0xF0) lower_ = 0x90;
                if (b == 0xF4) upper_ = 0x8F;
            } else valid_ = false;
            return;
        }
        if (b < lower_ || b > upper_) {
            valid_ = false;
            return;
        }
        lower_ = 0x80;
        upper_ = 0xBF;
        --pending_;
    }

    bool valid_ = true;
    bool nonAscii_ = false;
    int pending_ = 0;
    unsigned char lower_ = 0x80;
    unsigned char upper_ = 0xBF;
};

} // namespace CCC
