// Interruptions on POSIX systems: the signals that end a program run from a
// terminal (Ctrl+C, the terminal closed, a request to end). Only calls that
// are safe in a signal handler are made in it. An uninterrupted step blocks
// these signals, so that one that comes meanwhile is handled when the step
// ends.
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

// Runs with the signal's default action back (SA_RESETHAND) and the signal
// blocked: raised again, it ends the program as it would have as soon as
// the handler returns.
void undoAndEnd(int signalNumber) {
    detail::undoHeldChangesWithTheSystem();
    raise(signalNumber);
}

} // namespace

void undoOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = undoAndEnd;
    action.sa_flags = static_cast<int>(SA_RESETHAND);
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

// Steps nest: the signals stay blocked until the outermost one ends.
UninterruptedStep::UninterruptedStep() {
    const sigset_t signals = interruptionSignals();
    if (stepsUnder++ == 0) {
        sigprocmask(SIG_BLOCK, &signals, nullptr);
    }
}

UninterruptedStep::~UninterruptedStep() {
    const sigset_t signals = interruptionSignals();
    if (--stepsUnder == 0) {
        sigprocmask(SIG_UNBLOCK, &signals, nullptr);
    }
}

bool detail::insideUninterruptedStep() {
    return stepsUnder > 0;
}

} // namespace platelier
