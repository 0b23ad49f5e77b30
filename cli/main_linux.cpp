// platelier-cli: checks and repairs the links of DCS filesets from the
// command line, whole folders at a time, with the program's own reader,
// search, rewrite and rename. On Linux its arguments are bytes, as the
// paths they name.
#include "cli/command_line.h"
#include "cli/terminal.h"
#include "platform/interruption.h"
#include "platform/open_files.h"

#include <algorithm>
#include <iostream>
#include <sys/resource.h>

namespace {

// A relink keeps a folder's masters open from their reading to their
// rewrite, as many as the limit of open files leaves room for (see
// filesThatMayStayOpen).
void raiseOpenFileLimit() {
    struct rlimit limit {};
    constexpr rlim_t wanted = platelier::mostOpenFiles;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < wanted) {
        limit.rlim_cur = std::min(wanted, limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

int main(int argc, char** argv) {
    raiseOpenFileLimit();
    platelier::showUtf8InTerminal();
    platelier::undoOnInterrupt();
    return platelier::runCommandLine(
        std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
        {platelier::standardOutputIsTerminal(), platelier::standardErrorIsTerminal()});
}
