#include "ThreadPlacement.h"

#include <atomic>

namespace Orvane {

namespace {
ThreadPlacement::Calls installed{};
std::atomic<int> parsingProcessor{-1};
} // namespace

void ThreadPlacement::install(Calls calls) { installed = calls; }

void ThreadPlacement::noteParsingThread() {
    parsingProcessor.store(installed.current ? installed.current() : -1, std::memory_order_relaxed);
}

void ThreadPlacement::keepOffParsingThread(std::thread& helper) {
    const int processor = parsingProcessor.load(std::memory_order_relaxed);
    if (processor >= 0 && installed.avoid) installed.avoid(helper, processor);
}

} // namespace Orvane
