#include "ParallelDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace Publish {

namespace {

// The fastest level: a book's text is compressed for size on a reader's
// device, not for an archive; this level already beats the usual fastest
// deflate on size as well as on time.
constexpr int kLevel = 1;

bool deflateOne(const std::string& input, Deflated& output) {
    output.crc = libdeflate_crc32(0, input.data(), input.size());
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(kLevel);
    if (!compressor) return false;
    output.data.resize(libdeflate_deflate_compress_bound(compressor, input.size()));
    const std::size_t size =
        libdeflate_deflate_compress(compressor, input.data(), input.size(), output.data.data(), output.data.size());
    libdeflate_free_compressor(compressor);
    output.data.resize(size);
    return size > 0;
}

} // namespace

bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs) {
    outputs.assign(inputs.size(), Deflated{});
    // The largest first, so a big chapter never starts last.
    std::vector<std::size_t> order(inputs.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return inputs[a]->size() > inputs[b]->size(); });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> ok{true};
    auto work = [&] {
        for (std::size_t j; (j = next++) < order.size();)
            if (!deflateOne(*inputs[order[j]], outputs[order[j]])) ok = false;
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, inputs.size()); ++i) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    return ok;
}

} // namespace Publish
