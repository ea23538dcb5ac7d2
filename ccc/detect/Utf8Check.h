#pragma once

#include <cstddef>
#include <cstdio>

namespace CCC {

// Incremental UTF-8 check over a byte stream: well-formed sequences only
// (no overlong forms, no surrogates, nothing above U+10FFFF). Text that
// passes and holds a multi-byte sequence is UTF-8 and nothing else in
// practice: the Japanese double-byte encodings almost never form it.
class Utf8Check {
public:
    void feed(const unsigned char* p, std::size_t n) {
        for (std::size_t i = 0; i < n && valid_; ++i) step(p[i]);
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
