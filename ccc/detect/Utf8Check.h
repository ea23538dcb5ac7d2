#pragma once

#include <bit>
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
                while (i < n && p[i] < 0x80) ++i;
                const std::size_t start = i;
                for (std::uint64_t word; i + 8 <= n; i += 6) {  // two at a time
                    std::memcpy(&word, p + i, 8);
                    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
                    if ((word & 0xC0C0F0C0C0F0ull) != 0x8080E08080E0ull || !plainLeadP(word) || !plainLeadP(word >> 24))
                        break;
                }
                while (i + 3 <= n && wholeThreeP(p + i)) i += 3;
                if (i != start) {
                    nonAscii_ = true;
                    continue;  // ASCII may follow
                }
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
    // A lead E1-EC or EE-EF in the low byte: any continuation bytes follow.
    static bool plainLeadP(std::uint64_t word) {
        const unsigned low = word & 0x0F;
        return low != 0 && low != 0xD;
    }
    // Lead E0-EF and two continuation bytes tested together; only E0
    // (overlong below A0) and ED (surrogates from A0) need their ranges.
    static bool wholeThreeP(const unsigned char* s) {
        const unsigned lead = s[0], second = s[1];
        if (((lead & 0xF0) ^ 0xE0) | ((second & 0xC0) ^ 0x80) | ((s[2] & 0xC0) ^ 0x80u)) return false;
        if (lead == 0xE0) return second >= 0xA0;
        if (lead == 0xED) return second <= 0x9F;
        return true;
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
