#include "EncodedSpool.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

#include "BlockQueue.h"
#include "ReplacingFile.h"
#include "ThreadPlacement.h"
#include "UnitBuffer.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileBuffer.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"

namespace Orvane {

namespace {
// Blocks taken but not yet encoded: enough to keep the thread busy, few
// enough to keep the memory of a body that outruns it bounded.
constexpr std::size_t kPendingBlocks = 2;
} // namespace

struct EncodedSpool::State {
    BlockQueue<UnclearedUnits> queue{kPendingBlocks};

    std::unique_ptr<CCC::CompositIFilter> chain;
    CCC::IOType width = 0;
    std::string head;                       // the head's bytes when started
    std::unique_ptr<ReplacingFile> target;  // holding the head's bytes, or null
    std::FILE* file = nullptr;              // target's, or an unnamed one
    std::unique_ptr<char[]> fileBuffer;     // the unnamed one's (only it is closed here)
    long bodyStart = 0;                     // where the body's bytes begin in file
    std::size_t skip = 0;                   // the bytes of the head's last unit
    std::string failure;
    std::thread thread;

    ~State() {
        if (fileBuffer) std::fclose(file);
    }
    void run();
};

namespace {

// Passes units on to dest, all but the first `skip` bytes (whole units).
class SkippingOFlow : public CCC::OutputWidths<SkippingOFlow> {
public:
    SkippingOFlow(CCC::OFlow& dest, std::size_t skip) : OutputWidths(CCC::kIOAll, true), dest_(dest), skip_(skip) {}
    void flush() override { dest_.flush(); }

private:
    friend class CCC::OutputWidths<SkippingOFlow>;
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count) {
        const std::size_t dropped = std::min(n, skip_ / sizeof(T));
        skip_ -= dropped * sizeof(T);
        std::size_t written = 0;
        if (n > dropped) dest_.write(n - dropped, buffer + dropped, written);
        count = dropped + written;
    }

    CCC::OFlow& dest_;
    std::size_t skip_;
};

// The taken blocks, one after another, as the units of one flow that ends
// when the body is complete.
class PendingIFlow : public CCC::IFlow {
public:
    explicit PendingIFlow(EncodedSpool::State& state) : IFlow(CCC::kIO16, true), state_(state) {}

    unsigned short get16() override { return getByBlock<unsigned short>(); }

    void read16(std::size_t n, unsigned short* buffer, std::size_t& count) override {
        count = 0;
        while (count < n) {
            if (offset_ == block_.size()) {
                offset_ = 0;
                if (!state_.queue.next(block_)) break;
                continue;
            }
            const std::size_t take = std::min(n - count, block_.size() - offset_);
            std::memcpy(buffer + count, block_.data() + offset_, take * sizeof(unsigned short));
            count += take;
            offset_ += take;
        }
        if (count) passed();
    }

private:
    EncodedSpool::State& state_;
    UnclearedUnits block_;
    std::size_t offset_ = 0;
};

} // namespace

void EncodedSpool::State::run() {
    errno = 0;
    try {
        PendingIFlow src(*this);
        CCC::FileOFlow out(file);
        if (target) out.setProgressHook(ReplacingFile::kWritebackBytes, [this] { target->startWriteback(); });
        SkippingOFlow dest(out, skip);
        chain->setSrc(&src);
        CCC::Conveyer(chain.get(), &dest).carryBlocks(width);
        if (out.close()) {
            // The last bytes set off for the disk now: the commit's sync
            // comes only once this thread is joined and the head compared.
            if (target) target->startWriteback();
            return;
        }
    } catch (const CCC::Exception&) {
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    }
    failure = File::reasonOf(errno);
    // Whatever is still taken is dropped, so that no take() waits forever.
    queue.drain();
}

EncodedSpool::EncodedSpool() = default;

EncodedSpool::~EncodedSpool() { clear(); }

bool EncodedSpool::encode(CCC::IFlow& src, CeId to, CCC::NLConv newLineMode, std::string& bytes) {
    const std::unique_ptr<CCC::CompositIFilter> chain = TextFile::outputChain(to, newLineMode);
    if (!chain) return false;
    CCC::TString<char> out;
    CCC::MemOFlow dest(&out);
    chain->setSrc(&src);
    try {
        CCC::Conveyer(chain.get(), &dest).carryBlocks(CCC::Iceman::getIOType(to));
    } catch (const CCC::Exception&) {
        return false;
    }
    bytes.assign(out.data(), out.size());
    return true;
}

bool EncodedSpool::start(CeId outCeId, CCC::NLConv newLineMode, const DString& head, const char* target) {
    clear();
    if (head.empty() || !usableAfter(head.back())) return false;
    auto state = std::make_unique<State>();
    state->width = CCC::Iceman::getIOType(outCeId);
    // The head's last unit by itself (a mark included): the thread's chain
    // takes it first, and its bytes are skipped.
    std::string alone;
    CCC::TFixedMemIFlow<unsigned short> headText(head.data(), head.size()), lastUnit(&head.back(), 1);
    if (!encode(headText, outCeId, newLineMode, state->head) || !encode(lastUnit, outCeId, newLineMode, alone))
        return false;
    state->chain = TextFile::outputChain(outCeId, newLineMode);
    if (!state->chain) return false;
    state->skip = alone.size();
    if (target) {
        auto file = std::make_unique<ReplacingFile>(target);
        if (file->openP() && std::fwrite(state->head.data(), 1, state->head.size(), file->stream()) == state->head.size()) {
            state->file = file->stream();
            state->bodyStart = static_cast<long>(state->head.size());
            state->target = std::move(file);
        }
    }
    if (!state->file) {
        state->file = std::tmpfile();
        if (!state->file) return false;
        state->fileBuffer = CCC::giveFileBuffer(state->file);
    }
    state->queue.push(UnclearedUnits(1, head.back()));
    if (!ThreadPlacement::startHelper(state->thread, [s = state.get()] { s->run(); })) return false;
    state_ = std::move(state);
    return true;
}

void EncodedSpool::take(UnitBuffer& text, std::size_t n) {
    state_->queue.push(text.takeFront(n, state_->queue.recycled()));
}

std::string EncodedSpool::finish(const TextPieces& rest) {
    State& s = *state_;
    for (const TextPiece& piece : rest) s.queue.push(UnclearedUnits(piece.units, piece.units + piece.length));
    s.queue.close();
    s.thread.join();
    return s.failure;
}

std::unique_ptr<ReplacingFile> EncodedSpool::takeFile(const std::string& headBytes) {
    if (!state_ || !state_->target || headBytes != state_->head) return nullptr;
    return std::move(state_->target);
}

bool EncodedSpool::copyTo(CCC::OFlow& out) const {
    std::FILE* file = state_->file;
    if (std::fseek(file, state_->bodyStart, SEEK_SET) != 0) return false;
    std::vector<char> block(CCC::kFileBufferBytes);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), file)) > 0) {
        std::size_t written = 0;
        out.write8(n, block.data(), written);
    }
    if (!std::ferror(file)) return true;
    if (!errno) errno = EIO;
    return false;
}

void EncodedSpool::clear() {
    if (!state_) return;
    state_->queue.close();
    if (state_->thread.joinable()) state_->thread.join();
    state_.reset();
}

} // namespace Orvane
