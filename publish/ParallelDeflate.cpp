#include "ParallelDeflate.h"

#include <libdeflate.h>

#include <atomic>
#include <memory>

#include "Parallel.h"

namespace Publish {

namespace {

// The fastest level: a book's text is compressed for size on a reader's
// device, not for an archive; this level already beats the usual fastest
// deflate on size as well as on time.
constexpr int kLevel = 1;
// A thread keeps its output buffer up to this size for the next entry.
constexpr std::size_t kKeptBuffer = 1 << 20;

} // namespace

bool deflateWhole(const std::string& input, Deflated& output) {
    // One compressor and one buffer a thread, made once: each of a book's
    // many pieces would fault in fresh pages for them.
    struct Free {
        void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
    };
    thread_local const std::unique_ptr<libdeflate_compressor, Free> compressor(libdeflate_alloc_compressor(kLevel));
    thread_local std::string buffer;
    output.crc = libdeflate_crc32(0, input.data(), input.size());
    output.size = input.size();
    if (!compressor) return false;
    const std::size_t bound = libdeflate_deflate_compress_bound(compressor.get(), input.size());
    if (buffer.size() < bound) buffer.resize(bound);
    const std::size_t size =
        libdeflate_deflate_compress(compressor.get(), input.data(), input.size(), buffer.data(), bound);
    output.data.assign(buffer, 0, size);
    // A large entry's buffer is not kept.
    if (buffer.size() > kKeptBuffer) std::string().swap(buffer);
    return size > 0;
}

bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs) {
    outputs.assign(inputs.size(), Deflated{});
    std::vector<std::size_t> sizes;
    for (const std::string* input : inputs) sizes.push_back(input->size());
    std::atomic<bool> ok{true};
    onEveryCore(sizes, [&](std::size_t i) {
        if (!deflateWhole(*inputs[i], outputs[i])) ok = false;
    });
    return ok;
}

} // namespace Publish
