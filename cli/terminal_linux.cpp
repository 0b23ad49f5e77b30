// The terminal on POSIX systems, which takes UTF-8 as it is. A write to a
// closed pipe raises SIGPIPE, which ends the program quietly; it fails with
// EPIPE only when the program was started with the signal ignored.
#include "cli/terminal.h"

#include <cerrno>
#include <unistd.h>

namespace platelier {

void showUtf8InTerminal() {}

bool standardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool standardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

bool standardOutputPipeClosed(int error) {
    return error == EPIPE;
}

} // namespace platelier
