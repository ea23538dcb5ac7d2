#include "ArrivingText.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "File.h"
#include "ThreadPlacement.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/SinkOFlow.h"

namespace Orvane {

namespace {

// Thrown when the units outgrow the file's size: only a file that grew
// while it was read can do that.
struct Outgrown {};

} // namespace

ArrivingText::~ArrivingText() {
    if (thread_.joinable()) thread_.join();
}

bool ArrivingText::start(std::unique_ptr<CCC::FileIFlow> file, std::unique_ptr<CCC::CompositIFilter> chain,
                         std::size_t size) {
    file_ = std::move(file);
    chain_ = std::move(chain);
    text_ = std::make_unique<DString>();
    text_->reserve(size);
    units_ = text_->data();
    bound_ = size;
    return ThreadPlacement::startHelper(thread_, [this] { run(); });
}

void ArrivingText::run() {
    errno = 0;
    try {
        // The chain's UTF-16 blocks go straight into the text.
        const auto take = [this](const unsigned short* block, std::size_t n) { arrive(block, n); };
        CCC::SinkOFlow<unsigned short, decltype(take)> dest(take);
        chain_->setSrc(file_.get());
        CCC::Conveyer(chain_.get(), &dest).carryBlocks(CCC::kIO16);
    } catch (const CCC::Exception&) {
        failure_ = File::reasonOf(errno);
    } catch (const Outgrown&) {
        failure_ = File::kChangedWhileRead;
    } catch (const std::bad_alloc&) {
        failure_ = File::reasonOf(ENOMEM);
    }
    chain_.reset();
    file_.reset();
    announce(text_->size(), true);
}

void ArrivingText::arrive(const unsigned short* block, std::size_t n) {
    const std::size_t before = text_->size();
    if (n > bound_ - before) throw Outgrown{};
    text_->append(block, n);
    // Up to the block's last line end; the rest waits for the next one.
    for (std::size_t i = n; i > 0; --i) {
        if (block[i - 1] == '\n') {
            announce(before + i, false);
            return;
        }
    }
}

void ArrivingText::announce(std::size_t arrived, bool ended) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        arrived_ = static_cast<std::uint32_t>(arrived);
        ended_ = ended;
    }
    announced_.notify_one();
}

std::uint32_t ArrivingText::waitBeyond(std::uint32_t have) {
    std::unique_lock<std::mutex> lock(mutex_);
    announced_.wait(lock, [&] { return arrived_ > have || ended_; });
    return std::max(arrived_, have);
}

bool ArrivingText::beyondP(std::uint32_t have) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return arrived_ > have || ended_;
}

std::string ArrivingText::finish(std::unique_ptr<DString>& text) {
    if (thread_.joinable()) thread_.join();
    if (failure_.empty()) text = std::move(text_);
    return failure_;
}

} // namespace Orvane
