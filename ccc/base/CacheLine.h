#pragma once

#include <cstddef>

namespace CCC {

// The size of a cache line. An object that a thread of its own keeps
// writing is aligned to it (and so padded to a whole number of lines), so
// that no other object shares a line with it: a line written by two cores
// goes back and forth between them at every write.
inline constexpr std::size_t kCacheLine = 64;

} // namespace CCC
