#include "GeneratorPipe.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "core/model/ThreadPlacement.h"

namespace Orvane {

namespace {

// Reads back what the recording wrote, moving p past it.
std::uint32_t numberAt(const unsigned short*& p) {
    const std::uint32_t value = p[0] | (static_cast<std::uint32_t>(p[1]) << 16);
    p += 2;
    return value;
}

} // namespace

GeneratorPipe::GeneratorPipe(Generator& target, Diagnostics& diagnostics)
    : Generator(target.getModel()), target_(target), diagnostics_(diagnostics), syntaxDiagnostics_(this) {}

GeneratorPipe::~GeneratorPipe() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    queue_.close();
    thread_.join();
}

bool GeneratorPipe::start() {
    openBlock();
    return ThreadPlacement::startHelper(thread_, [this] { run(); });
}

bool GeneratorPipe::prepare() {
    // The first block, then spares for the queue to hand out before it
    // would make new ones.
    if (readiedBlocks_ > kSpareBlocks) return false;
    Block& block = readiedBlocks_ == 0 ? block_ : spare_;
    if (block.size() < kBlockRoom) block.resize(kBlockRoom);
    const std::size_t end = std::min(block.size(), readiedUnits_ + kPagesAtOnce * kPageUnits);
    for (; readiedUnits_ < end; readiedUnits_ += kPageUnits) block[readiedUnits_] = 0;
    if (readiedUnits_ < block.size()) return true;
    if (readiedBlocks_ > 0) queue_.offer(std::exchange(spare_, Block()));
    readiedUnits_ = 0;
    return ++readiedBlocks_ <= kSpareBlocks;
}

void GeneratorPipe::finish() {
    closeBlock();
    // The thread ends with the block it is on; the blocks behind it are
    // replayed here instead, by the thread that has just written them and
    // would otherwise wait idle, while the thread's processor is left to
    // what comes after the generator (the output's encoding).
    std::deque<Block> rest = queue_.closeAndTake();
    thread_.join();
    if (!failure_) {
        for (const Block& block : rest) replay(block);
        if (!block_.empty()) replay(block_);
    }
    if (failure_) std::rethrow_exception(failure_);
}

void GeneratorPipe::handOver() {
    closeBlock();
    queue_.push(std::move(block_));
    block_ = queue_.recycled();
    openBlock();
}

void GeneratorPipe::openBlock() {
    // A block that comes back keeps its room: only a new one is zeroed.
    if (block_.size() < kBlockRoom) block_.resize(kBlockRoom);
    recordAt(0);
}

void GeneratorPipe::closeBlock() {
    if (!at_) return;
    if (at_ == end_) grow(1);
    *at_++ = kBlockEnd;
}

void GeneratorPipe::grow(std::size_t n) {
    const std::size_t used = static_cast<std::size_t>(at_ - block_.data());
    block_.resize(used + n + kBlockRoom - kBlockUnits);
    recordAt(used);
}

void GeneratorPipe::recordAt(std::size_t used) {
    at_ = block_.data() + used;
    full_ = block_.data() + kBlockUnits;
    end_ = block_.data() + block_.size();
}

void GeneratorPipe::relayAdd(DiagnosticKind kind, std::uint32_t offset, int first, int second) {
    event(kDiagnostic);
    number(static_cast<std::uint32_t>(kind));
    number(offset);
    number(static_cast<std::uint32_t>(first));
    number(static_cast<std::uint32_t>(second));
}

void GeneratorPipe::relayCursor(std::uint32_t offset) {
    event(kCursor);
    number(offset);
}

void GeneratorPipe::run() {
    Block block;
    try {
        while (queue_.next(block))
            if (!stopping_) replay(block);
    } catch (...) {
        failure_ = std::current_exception();
        queue_.drain();
    }
}

void GeneratorPipe::replay(const Block& block) {
    // Texts are heard as they lie in the block.
    const auto textAt = [](const unsigned short*& p) -> TextRef {
        const std::uint32_t length = numberAt(p);
        if (length == kNoText) return {};
        const TextRef text(p, length);
        p += length;
        return text;
    };
    Generator& g = target_;
    for (const unsigned short* p = block.data();;) {
        switch (*p++) {
        case kBlockEnd: return;
#define QM_REPLAY(Name, call)                                                                                \
    case k##Name: g.call(); break;
            QM_EVENTS_WITHOUT_ARGUMENTS(QM_REPLAY)
#undef QM_REPLAY
#define QM_REPLAY(Name, call)                                                                                \
    case k##Name: g.call(static_cast<int>(numberAt(p))); break;
            QM_EVENTS_WITH_A_NUMBER(QM_REPLAY)
#undef QM_REPLAY
#define QM_REPLAY(Name, call)                                                                                \
    case k##Name: g.call(textAt(p)); break;
            QM_EVENTS_WITH_A_TEXT(QM_REPLAY)
#undef QM_REPLAY
#define QM_REPLAY(Name, call)                                                                                \
    case k##Name: {                                                                                          \
        const TextRef a = textAt(p);                                                                         \
        g.call(a, textAt(p));                                                                                \
        break;                                                                                               \
    }
            QM_EVENTS_WITH_TWO_TEXTS(QM_REPLAY)
#undef QM_REPLAY
        case kImage: {
            const TextRef source = textAt(p);
            const TextRef alternative = textAt(p);
            g.image(source, alternative, numberAt(p) != 0);
            break;
        }
        case kDiagnostic: {
            const auto kind = static_cast<DiagnosticKind>(numberAt(p));
            const std::uint32_t offset = numberAt(p);
            const auto a = static_cast<int>(numberAt(p));
            diagnostics_.add(kind, offset, a, static_cast<int>(numberAt(p)));
            break;
        }
        case kCursor: diagnostics_.setCursor(numberAt(p)); break;
        default: return;  // cannot happen: only the recording writes blocks
        }
    }
}

} // namespace Orvane
