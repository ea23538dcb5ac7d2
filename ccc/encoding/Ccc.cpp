#include "Ccc.h"

namespace CCC {

namespace {

bool startNothing(int) { return true; }

// Constant-initialised, so registrations from other translation units'
// static initialisers always find the table ready.
Ccc::StartupFunction slots[Ccc::kSlots] = {startNothing};
bool started = false;
bool stopped = false;

bool runAll(int flag) {
    for (Ccc::StartupFunction f : slots)
        if (f && !f(flag)) return false;
    return true;
}

} // namespace

int Ccc::registerStartup(int slot, StartupFunction f) {
    if (slot >= 0 && slot < kSlots) slots[slot] = f;
    return kRegistered;
}

bool Ccc::initialize() {
    if (started) return true;
    if (!runAll(1)) return false;
    started = true;
    return true;
}

bool Ccc::unInitialize() {
    if (!started) return false;
    if (stopped) return true;
    if (!runAll(0)) return false;
    stopped = true;
    return true;
}

bool Ccc::startedP() { return started; }
bool Ccc::stoppedP() { return stopped; }

} // namespace CCC
