#include "cli/interruption.h"

#include <pthread.h>

#include <atomic>

namespace orbalux::cli {
namespace {

// Lock-free, so the handler may store into it.
std::atomic<int> noted{0};
static_assert(std::atomic<int>::is_always_lock_free);

// The first signal decides the exit status; later ones, of either kind, find
// the run already stopping and change nothing. The handler stays in place,
// so no later signal can end the program before its temporary files are
// gone (they are removed on the main path, never in the handler).
extern "C" void NoteSignal(int signal) {
    int none = 0;
    noted.compare_exchange_strong(none, signal);
}

}  // namespace

InterruptionWatch::InterruptionWatch() {
    noted.store(0);
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    // Each handler runs with both signals held back, so a second signal
    // that follows at once waits until the first is noted.
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    // Writes in progress go on (SA_RESTART).
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
    // A signal the caller chose to ignore (a job started in the background)
    // stays ignored.
    if (previousInt_.sa_handler == SIG_IGN) sigaction(SIGINT, &previousInt_, nullptr);
    if (previousTerm_.sa_handler == SIG_IGN) sigaction(SIGTERM, &previousTerm_, nullptr);
}

InterruptionWatch::~InterruptionWatch() {
    // After a signal the program is on its way out with that signal's status:
    // a second one that comes late must not end it by the default action.
    if (noted.load() != 0) return;
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
}

SignalsHeldBack::SignalsHeldBack() {
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &both, &previous_);
}

SignalsHeldBack::~SignalsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

int InterruptionSignal() { return noted.load(); }

int InterruptedExitStatus() { return 128 + noted.load(); }

void StopIfInterrupted() {
    if (noted.load() != 0) throw Interrupted();
}

}  // namespace orbalux::cli
