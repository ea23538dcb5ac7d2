#include "SignalCleanup.h"

#include <csignal>

#include <unistd.h>

#include "core/model/LiveTemporaryFiles.h"

namespace quillmark {

namespace {

extern "C" void removeAndDie(int signal) {
    Orvane::LiveTemporaryFiles::forEach([](const char* name) { ::unlink(name); });
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

} // namespace

void removeTemporaryFilesOnSignal() {
    struct sigaction action = {};
    action.sa_handler = removeAndDie;
    sigfillset(&action.sa_mask);  // one clean-up at a time
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old = {};
        // A signal the caller chose to ignore (nohup) stays ignored.
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

} // namespace quillmark
