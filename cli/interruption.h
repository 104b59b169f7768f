// Ctrl+C and SIGTERM during a run: the signal is only noted; the batch then
// starts no new file, drops the outputs in progress (their temporary files go
// with them) and keeps every finished one.
#pragma once

#include <csignal>
#include <stdexcept>

namespace orbalux::cli {

// Notes SIGINT and SIGTERM for its lifetime; the handlers before it come back
// at its end unless a signal was noted (the program then ends with its
// status, whatever follows). Any number of them, in any order, only stop the
// run: the first taken decides the exit status, and while it is being noted
// the other waits.
class InterruptionWatch {
public:
    InterruptionWatch();
    ~InterruptionWatch();
    InterruptionWatch(const InterruptionWatch&) = delete;
    InterruptionWatch& operator=(const InterruptionWatch&) = delete;

private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

// Holds SIGINT and SIGTERM back in the calling thread while it lives, so that
// the threads it starts meanwhile inherit the mask and never take either: both
// then reach the thread that started them, one at a time. Taken by threads
// chosen at random, a second signal could be noted before the first.
class SignalsHeldBack {
public:
    SignalsHeldBack();
    ~SignalsHeldBack();
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

private:
    sigset_t previous_{};
};

// The first signal noted, 0 for none.
int InterruptionSignal();

// The exit status that tells the caller the run was stopped by that signal:
// 128 + its number (130 for Ctrl+C, 143 for SIGTERM).
int InterruptedExitStatus();

// Thrown inside a file's work when a signal came: the file is neither done
// nor failed, and its temporary output is removed on the way out.
class Interrupted : public std::runtime_error {
public:
    Interrupted() : std::runtime_error("interrupted") {}
};

// Throws Interrupted once a signal has been noted.
void StopIfInterrupted();

}  // namespace orbalux::cli
