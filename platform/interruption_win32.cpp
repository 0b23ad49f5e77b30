// Interruptions on Win32: the events of the console (Ctrl+C, Ctrl+Break, the
// console window closed, the session ending), which the system hands to a
// thread of its own while the program's thread runs on. The streams open
// files so that they can be deleted while open (see openStream), or the
// new master being written could not be.
#include "platform/interruption.h"

#include <windows.h>

namespace platelier {

namespace {

// The held path is UTF-8 and shorter than 4096 bytes, so its UTF-16 form
// fits a buffer on the stack: no allocation on the system's thread while
// the program's may be holding the heap.
void deleteFile(const char* path) {
    wchar_t widePath[4096];
    if (MultiByteToWideChar(CP_UTF8, 0, path, -1, widePath, 4096) > 0) {
        DeleteFileW(widePath);
    }
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
