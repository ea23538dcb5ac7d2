#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace Publish {

// Runs job(i) for every i < sizes.size() on every core, the largest first
// so that a big one never starts last; returns when all are done. Each i
// is run once, by one thread.
void onEveryCore(const std::vector<std::size_t>& sizes, const std::function<void(std::size_t)>& job);

} // namespace Publish
