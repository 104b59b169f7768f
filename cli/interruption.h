// Ctrl+C and SIGTERM during a run: the signal is only noted; the batch then
// starts no new file, drops the outputs in progress (their temporary files go
// with them) and keeps every finished one.
#pragma once

#include <csignal>
#include <stdexcept>

namespace orbalux::cli {

// Notes SIGINT and SIGTERM for its lifetime; the handlers before it come back
// at its end. A second signal of the same kind acts as it would without the
// converter (the handler is reset by the first).
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

// The signal noted so far, 0 for none.
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
