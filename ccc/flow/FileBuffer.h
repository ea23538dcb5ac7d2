#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

namespace CCC {

// The stdio buffer of a file read or written whole, front to back, in
// blocks: a quarter megabyte makes few system calls for a file of many.
inline constexpr std::size_t kFileBufferBytes = 256 * 1024;

// Gives fp such a buffer, or one of `bytes` (glibc ignores a size given
// without one); the caller keeps it until fp is closed.
[[nodiscard]] inline std::unique_ptr<char[]> giveFileBuffer(std::FILE* fp, std::size_t bytes = kFileBufferBytes) {
    std::unique_ptr<char[]> buffer(new char[bytes]);
    std::setvbuf(fp, buffer.get(), _IOFBF, bytes);
    return buffer;
}

} // namespace CCC
