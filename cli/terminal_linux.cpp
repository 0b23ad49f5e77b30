// The terminal on POSIX systems, which takes UTF-8 as it is.
#include "cli/terminal.h"

#include <unistd.h>

namespace platelier {

void showUtf8InTerminal() {}

bool standardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool standardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

} // namespace platelier
