#pragma once

#include <cstddef>

namespace CCC {

// The stdio buffer of a file read or written whole, front to back, in
// blocks: a quarter megabyte makes few system calls for a file of many.
inline constexpr std::size_t kFileBufferBytes = 256 * 1024;

} // namespace CCC
