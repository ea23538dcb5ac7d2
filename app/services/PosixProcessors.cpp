#include <pthread.h>
#include <sched.h>

#include <thread>

#include "app/services/Processors.h"
#include "core/model/ThreadPlacement.h"

namespace tolvanw32 {

namespace {

int currentProcessor() { return ::sched_getcpu(); }

void avoidProcessor(std::thread& thread, int processor) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (processor < 0 || processor >= CPU_SETSIZE) return;
    if (::pthread_getaffinity_np(thread.native_handle(), sizeof allowed, &allowed) != 0) return;
    CPU_CLR(processor, &allowed);
    // A thread allowed only that processor stays where it may run.
    if (CPU_COUNT(&allowed) == 0) return;
    (void)::pthread_setaffinity_np(thread.native_handle(), sizeof allowed, &allowed);
}

} // namespace

void placeConversionThreads() { Orvane::ThreadPlacement::install({currentProcessor, avoidProcessor}); }

} // namespace tolvanw32
