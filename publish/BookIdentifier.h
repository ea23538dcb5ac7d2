#pragma once

#include <cstdint>
#include <string_view>
#include <string>

namespace Publish {

// A 128-bit digest of everything a book holds, fed piece by piece, given
// as a "urn:uuid:" identifier (UUID version 4 layout), so the same content
// always gets the same identifier and any change gets another. Two lanes of
// FNV-1a steps over 64-bit words with different primes, finished by a
// 64-bit mix: not a cryptographic hash, and it need not be one.
class BookIdentifier {
public:
    void add(std::string_view bytes);
    std::string urn() const;

private:
    std::uint64_t high_ = 0xcbf29ce484222325ull;
    std::uint64_t low_ = 0x84222325cbf29ce4ull;
};

} // namespace Publish
