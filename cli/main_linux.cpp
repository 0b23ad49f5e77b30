// platelier-cli: checks and repairs the links of DCS filesets from the
// command line, whole folders at a time, with the program's own reader,
// search, rewrite and rename. On Linux its arguments are bytes, as the
// paths they name.
#include "cli/command_line.h"
#include "cli/terminal.h"
#include "platform/interruption.h"

#include <iostream>

int main(int argc, char** argv) {
    platelier::showUtf8InTerminal();
    platelier::undoOnInterrupt();
    return platelier::runCommandLine(
        std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
        {platelier::standardOutputIsTerminal(), platelier::standardErrorIsTerminal()});
}
