#include "BookIdentifier.h"

namespace Publish {

namespace {

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

} // namespace

void BookIdentifier::add(std::string_view bytes) {
    for (unsigned char b : bytes) {
        high_ = (high_ ^ b) * 0x100000001b3ull;
        low_ = (low_ ^ b) * 0x100000000000018dull;
    }
    // The length ends each piece, so moving bytes from one piece to the
    // next changes the digest.
    for (std::size_t n = bytes.size(), i = 0; i < 8; ++i, n >>= 8) {
        high_ = (high_ ^ (n & 0xFF)) * 0x100000001b3ull;
        low_ = (low_ ^ (n & 0xFF)) * 0x100000000000018dull;
    }
}

std::string BookIdentifier::urn() const {
    std::uint64_t a = mix(high_ ^ mix(low_));
    std::uint64_t b = mix(low_ + a);
    a = (a & ~0xF000ull) | 0x4000ull;                      // version 4 layout
    b = (b & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;  // RFC 4122 variant
    static const char kHex[] = "0123456789abcdef";
    std::string out = "urn:uuid:";
    for (int i = 0; i < 32; ++i) {
        if (i == 8 || i == 12 || i == 16 || i == 20) out += '-';
        const std::uint64_t word = i < 16 ? a : b;
        out += kHex[(word >> (60 - 4 * (i % 16))) & 0xF];
    }
    return out;
}

} // namespace Publish
