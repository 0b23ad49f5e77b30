// platelier-cli on Windows: the program of main_linux.cpp, started by the
// wide command line (wmain, which mingw-w64 links with -municode), whose
// arguments it takes in UTF-8, the form of every path inside the program: a
// path outside the ANSI code page reaches the commands whole.
#include "cli/command_line.h"
#include "cli/terminal.h"
#include "platform/interruption.h"
#include "platform/utf16.h"

#include <iostream>

int wmain(int argc, wchar_t** argv) {
    platelier::showUtf8InTerminal();
    platelier::undoOnInterrupt();
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at) {
        arguments.push_back(platelier::utf8FromUtf16(argv[at]));
    }
    return platelier::runCommandLine(
        arguments, std::cout, std::cerr,
        {platelier::standardOutputIsTerminal(), platelier::standardErrorIsTerminal()});
}
