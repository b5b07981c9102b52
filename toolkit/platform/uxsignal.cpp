// Termination signals: the handler only notes which signal came; the event loop reads the note
// (uxRunning) and ends the program in its own time, so no file is left half written.
#include <csignal>
#include <initializer_list>

#include "toolkit/platform/uxplatform.h"

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void note_signal(int sig) { received = sig; }

}  // namespace

int uxplatform_signal() { return received; }

void uxplatform_install_signal_handlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    struct sigaction sa = {};
    sa.sa_handler = note_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: a sleeping wait wakes up at once
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}
