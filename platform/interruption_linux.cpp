// Interruptions on POSIX systems: the signals that end a program run from a
// terminal (Ctrl+C, the terminal closed, a request to end). Only calls that
// are safe in a signal handler are made in it.
#include "platform/interruption.h"

#include <csignal>
#include <signal.h>
#include <unistd.h>

namespace platelier {

namespace {

void unlinkPath(const char* path) {
    unlink(path);
}

// Runs with the signal's default action back (SA_RESETHAND) and the signal
// blocked: raised again, it ends the program as it would have as soon as
// the handler returns.
void removeAndEnd(int signalNumber) {
    detail::removeHeldTemporaryFiles(unlinkPath);
    raise(signalNumber);
}

} // namespace

void removeTemporaryFilesOnInterrupt() {
    const int signalNumbers[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction action {};
    action.sa_handler = removeAndEnd;
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    sigemptyset(&action.sa_mask);
    for (int signalNumber : signalNumbers) {
        sigaddset(&action.sa_mask, signalNumber);
    }
    for (int signalNumber : signalNumbers) {
        struct sigaction previous {};
        if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            sigaction(signalNumber, &action, nullptr);
        }
    }
}

} // namespace platelier
