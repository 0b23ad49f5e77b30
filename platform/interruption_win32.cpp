// Interruptions on Win32: the events of the console (Ctrl+C, Ctrl+Break, the
// console window closed, the session ending), which the system hands to a
// thread of its own while the program's thread runs on. The handler waits
// for the steps that must not be cut in two, and then holds the program's
// thread at the start of its next step, so that nothing changes the files
// while it undoes what was done. The files being written are opened so that
// they can be deleted while open (see open_files.h).
#include "platform/interruption.h"

#include <atomic>
#include <windows.h>

namespace platelier {

namespace {

// How many steps the program's thread is in; interrupted once the handler
// has begun.
constexpr int interrupted = -1;
std::atomic<int> steps{0};

void moveBack(const char* from, const char* to) {
    MoveFileA(from, to);
}

void deleteFile(const char* path) {
    DeleteFileA(path);
}

// FALSE: the next handler, the system's own, ends the program as the event
// would have.
BOOL WINAPI undoOnConsoleEvent(DWORD) {
    for (int idle = 0; !steps.compare_exchange_strong(idle, interrupted); idle = 0) {
        Sleep(1);
    }
    detail::undoHeldChangesWithTheSystem();
    return FALSE;
}

} // namespace

void undoOnInterrupt() {
    SetConsoleCtrlHandler(undoOnConsoleEvent, TRUE);
}

void detail::undoHeldChangesWithTheSystem() {
    undoHeldChanges(moveBack, deleteFile);
}

// After an interruption the program is ending: a step that would begin
// waits for it.
UninterruptedStep::UninterruptedStep() {
    for (int now = steps;;) {
        if (now == interrupted) {
            Sleep(INFINITE);
        }
        if (steps.compare_exchange_weak(now, now + 1)) {
            return;
        }
    }
}

UninterruptedStep::~UninterruptedStep() {
    --steps;
}

bool detail::insideUninterruptedStep() {
    return steps > 0;
}

} // namespace platelier
