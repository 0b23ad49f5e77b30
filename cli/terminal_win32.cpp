// The Windows console, which shows the bytes a program writes in its output
// code page: UTF-8 while the program runs, and the console's own again when
// it ends, for the programs that run in the console next. Windows has no
// SIGPIPE: a write to a pipe that its reader closed fails, and the C runtime
// gives the system's "the pipe is being closed" as EINVAL.
#include "cli/terminal.h"

#include <cerrno>
#include <cstdlib>
#include <windows.h>

namespace platelier {

namespace {

UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

// A console handle has a console mode; a file, a pipe or NUL has none.
bool isConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

} // namespace

void showUtf8InTerminal() {
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restoreConsoleCodePage);
    }
}

bool standardOutputIsTerminal() {
    return isConsole(STD_OUTPUT_HANDLE);
}

bool standardErrorIsTerminal() {
    return isConsole(STD_ERROR_HANDLE);
}

bool standardOutputPipeClosed(int error) {
    return error == EPIPE ||
           (error == EINVAL && GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE);
}

} // namespace platelier
