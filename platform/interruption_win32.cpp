// Interruptions on Win32: the events of the console (Ctrl+C, Ctrl+Break, the
// console window closed, the session ending), which the system hands to a
// thread of its own while the program's thread runs on. The streams open
// files so that they can be deleted while open (see openStream), or the
// new master being written could not be.
#include "platform/interruption.h"

#include <windows.h>

namespace platelier {

namespace {

void deleteFile(const char* path) {
    DeleteFileA(path);
}

// FALSE: the next handler, the system's own, ends the program as the event
// would have.
BOOL WINAPI removeOnConsoleEvent(DWORD) {
    detail::removeHeldTemporaryFiles(deleteFile);
    return FALSE;
}

} // namespace

void removeTemporaryFilesOnInterrupt() {
    SetConsoleCtrlHandler(removeOnConsoleEvent, TRUE);
}

} // namespace platelier
