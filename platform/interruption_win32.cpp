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

// The held paths are UTF-8 and shorter than 4096 bytes, so their UTF-16
// forms fit buffers on the stack: no allocation on the system's thread while
// the program's may be holding the heap.
bool widen(const char* path, wchar_t (&wide)[4096]) {
    return MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, 4096) > 0;
}

void moveBack(const char* from, const char* to) {
    wchar_t wideFrom[4096];
    wchar_t wideTo[4096];
    if (widen(from, wideFrom) && widen(to, wideTo)) {
        MoveFileW(wideFrom, wideTo);
    }
}

void deleteFile(const char* path) {
    wchar_t widePath[4096];
    if (widen(path, widePath)) {
        DeleteFileW(widePath);
    }
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
