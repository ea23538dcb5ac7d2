#include "Parallel.h"

#include <algorithm>
#include <atomic>
#include <numeric>
#include <thread>

namespace Publish {

void onEveryCore(const std::vector<std::size_t>& sizes, const std::function<void(std::size_t)>& job) {
    std::vector<std::size_t> order(sizes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t j; (j = next++) < order.size();) job(order[j]);
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, order.size()); ++i) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
}

} // namespace Publish
