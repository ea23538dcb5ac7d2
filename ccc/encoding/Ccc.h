#pragma once

namespace CCC {

// Library start-up: a fixed table of seven slots of start/stop functions.
// A module registers its function in its slot during static
// initialisation; initialize() and unInitialize() call them in slot order.
class Ccc {
public:
    // flag: 1 = start, 0 = stop. Returns false to stop the run.
    using StartupFunction = bool (*)(int flag);

    static constexpr int kSlots = 7;
    static constexpr int kEncodingSlot = 3;
    static constexpr int kRegistered = 1234;

    static bool initialize();
    static bool unInitialize();

    // Stores f in the slot; returns kRegistered (so that a registration can
    // initialise a namespace-scope constant).
    static int registerStartup(int slot, StartupFunction f);

    static bool startedP();
    static bool stoppedP();
};

} // namespace CCC
