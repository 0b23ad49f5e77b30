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
#include <malloc.h>
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

// A walk builds each folder's listing, index and readings in blocks that
// grow by doubling, and frees them for the next. By default glibc maps each
// large block on pages of its own and gives freed memory back to the system,
// so that every block meets fresh pages, each a page fault: a check of a
// folder of 10,000 filesets met 7,900 of them, at some 11 microseconds each
// on the virtual machine the benchmarks run on. Freed memory is kept
// instead, for the blocks that follow; what a run holds is then the most
// that one folder needed at once.
void keepFreedMemory() {
    constexpr int mebibyte = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, 32 * mebibyte);
    mallopt(M_TRIM_THRESHOLD, 128 * mebibyte);
}

} // namespace

int main(int argc, char** argv) {
    raiseOpenFileLimit();
    keepFreedMemory();
    platelier::showUtf8InTerminal();
    platelier::undoOnInterrupt();
    return platelier::runCommandLine(
        std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
        {platelier::standardOutputIsTerminal(), platelier::standardErrorIsTerminal()});
}
