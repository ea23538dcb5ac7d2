#include "BookIdentifier.h"

#include <bit>
#include <cstring>

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
    constexpr std::uint64_t kHighPrime = 0x100000001b3ull;
    constexpr std::uint64_t kLowPrime = 0x100000000000018dull;
    // Eight bytes a step, read as a little-endian word on every platform.
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
        high_ = (high_ ^ word) * kHighPrime;
        low_ = (low_ ^ (word >> 29 | word << 35)) * kLowPrime;
    }
    for (; i < bytes.size(); ++i) {
        high_ = (high_ ^ static_cast<unsigned char>(bytes[i])) * kHighPrime;
        low_ = (low_ ^ static_cast<unsigned char>(bytes[i])) * kLowPrime;
    }
    // The length ends each piece, so moving bytes from one piece to the
    // next changes the digest.
    high_ = (high_ ^ bytes.size()) * kHighPrime;
    low_ = (low_ ^ bytes.size()) * kLowPrime;
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
