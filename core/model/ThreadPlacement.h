#pragma once

#include <system_error>
#include <thread>
#include <utility>

namespace Orvane {

// Where the threads of a conversion run. The parsing thread sets the pace;
// the threads that help it (reading its text, writing and encoding what it
// makes) are best kept off its processor, where they would take its turns
// while another processor waits idle. The system decides where threads run,
// so a program installs the calls that ask it, once at start-up; without
// them threads run where the system puts them.
class ThreadPlacement {
public:
    struct Calls {
        // The processor the calling thread runs on, or -1.
        int (*current)();
        // Keeps a thread off one processor, if others are left.
        void (*avoid)(std::thread& thread, int processor);
    };
    static void install(Calls calls);

    // On the parsing thread, before it starts its helpers. Of conversions
    // run on several threads at once (a book's chapters), the last to note
    // its thread is the one kept clear.
    static void noteParsingThread();
    // Starts a helper running `work` and places it off the parsing thread's
    // processor at once: left to place itself, it would first queue on its
    // creator's processor, and run only when that one is free. False when
    // no thread can be had.
    template <class Work>
    static bool startHelper(std::thread& helper, Work&& work) {
        try {
            helper = std::thread(std::forward<Work>(work));
        } catch (const std::system_error&) {
            return false;
        }
        keepOffParsingThread(helper);
        return true;
    }

private:
    static void keepOffParsingThread(std::thread& helper);
};

} // namespace Orvane
