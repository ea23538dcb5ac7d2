#include "ParallelDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace Publish {

namespace {

constexpr std::size_t kPiece = 1 << 20;

struct Piece {
    std::string data;
    uLong crc = 0;
    bool ok = false;
};

void deflatePiece(const char* bytes, std::size_t size, bool last, Piece& piece) {
    piece.crc = crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(size));
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
    piece.data.resize(deflateBound(&stream, static_cast<uLong>(size)) + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes));
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = reinterpret_cast<Bytef*>(piece.data.data());
    stream.avail_out = static_cast<uInt>(piece.data.size());
    const int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    piece.ok = (last ? status == Z_STREAM_END : status == Z_OK) && stream.avail_in == 0 && stream.avail_out > 0;
    piece.data.resize(stream.total_out);
    deflateEnd(&stream);
}

} // namespace

bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs) {
    struct Job {
        std::size_t input;
        std::size_t at;
        std::size_t size;
        bool last;
    };
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::size_t size = inputs[i]->size();
        std::size_t at = 0;
        do {
            const std::size_t length = std::min(kPiece, size - at);
            jobs.push_back({i, at, length, at + length == size});
            at += length;
        } while (at < size);
    }
    std::vector<Piece> pieces(jobs.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t j; (j = next++) < jobs.size();)
            deflatePiece(inputs[jobs[j].input]->data() + jobs[j].at, jobs[j].size, jobs[j].last, pieces[j]);
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, jobs.size()); ++i) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();

    outputs.assign(inputs.size(), Deflated{});
    std::vector<uLong> crcs(inputs.size(), crc32(0, Z_NULL, 0));
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        if (!pieces[j].ok) return false;
        outputs[jobs[j].input].data += pieces[j].data;
        crcs[jobs[j].input] = crc32_combine(crcs[jobs[j].input], pieces[j].crc, static_cast<z_off_t>(jobs[j].size));
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) outputs[i].crc = static_cast<std::uint32_t>(crcs[i]);
    return true;
}

} // namespace Publish
