// Interruptions on POSIX systems: the signals that end a program run from a
// terminal (Ctrl+C, the terminal closed, a request to end). Only calls that
// are safe in a signal handler are made in it. A signal that comes during an
// uninterrupted step is noted and handled when the step ends. Steps are
// counted in an atomic rather than by blocking the signals: a repair takes a
// step for each master it writes, and blocking and unblocking the signals
// would cost two system calls for each.
#include "platform/interruption.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

namespace platelier {

namespace {

constexpr int interruptions[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> stepsUnder{0};
std::atomic<int> deferred{0}; // a signal that came during a step
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the counts");

sigset_t interruptionSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signalNumber : interruptions) {
        sigaddset(&signals, signalNumber);
    }
    return signals;
}

// Never over another file: renameat2 refuses to replace it, and where the
// file system lacks it, link() refuses an existing name.
void renameBackWithoutReplacing(const char* from, const char* to) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) != 0 && link(from, to) == 0) {
        unlink(from);
    }
}

void unlinkPath(const char* path) {
    unlink(path);
}

// Undoes what the guards hold, then ends the program as the signal would
// have: with its default action back, the signal raised again ends it at
// once, or, in the handler, where it stays blocked, as soon as the handler
// returns.
void undoAndEnd(int signalNumber) {
    detail::undoHeldChangesWithTheSystem();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signalNumber, &fallback, nullptr);
    raise(signalNumber);
}

// During a step the signal is left for the step's end. A handler that runs
// on another thread than the step's may note it just as the step ends and
// finds none: then it looks again, and whoever takes the noted signal ends
// the program.
void onInterruption(int signalNumber) {
    if (stepsUnder > 0) {
        deferred = signalNumber;
        if (stepsUnder > 0 || (signalNumber = deferred.exchange(0)) == 0) {
            return;
        }
    }
    undoAndEnd(signalNumber);
}

} // namespace

void undoOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = onInterruption;
    action.sa_flags = SA_RESTART; // a call that a noted signal cut short goes on
    action.sa_mask = interruptionSignals();
    for (int signalNumber : interruptions) {
        struct sigaction previous {};
        if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            sigaction(signalNumber, &action, nullptr);
        }
    }
}

void detail::undoHeldChangesWithTheSystem() {
    undoHeldChanges(renameBackWithoutReplacing, unlinkPath);
}

// Steps nest: a signal noted during them is handled when the outermost
// one ends.
UninterruptedStep::UninterruptedStep() {
    ++stepsUnder;
}

UninterruptedStep::~UninterruptedStep() {
    if (--stepsUnder == 0) {
        if (const int signalNumber = deferred.exchange(0)) {
            undoAndEnd(signalNumber);
        }
    }
}

bool detail::insideUninterruptedStep() {
    return stepsUnder > 0;
}

} // namespace platelier
