// Finding and reading the windows of the program under test from the test's
// own thread: the dialogs a thread has open, a window's texts, class and
// children, and where a centred window is expected to be.
#pragma once

#include "win32/polling.h"

#include <windows.h>

#include <string>
#include <vector>

namespace platelier::testing {

std::string windowText(HWND window);
std::string className(HWND window);
bool hasClass(HWND window, const char* name); // case-insensitive, as USER compares

// The direct children of `parent` in Z-order, which for a dialog is the
// order its template created them.
std::vector<HWND> childWindows(HWND parent);

// The text of a message box: its text control, ID 0xFFFF on Windows and in
// Wine, or else its first static control that is not an icon.
std::string messageBoxText(HWND box);

// The visible top-level dialogs (class "#32770") of thread `threadId`.
std::vector<HWND> visibleDialogs(DWORD threadId);

// The visible dialog of thread `threadId` titled exactly `title`, or null.
HWND findDialog(DWORD threadId, const std::string& title);
HWND waitForDialog(DWORD threadId, const std::string& title,
                   std::chrono::milliseconds timeout = defaultTimeout);

RECT windowRect(HWND window);
RECT clientRectOf(HWND child, HWND parent); // `child`'s window rectangle in `parent`'s client area

SIZE screenSize();

// A place for a window's top-left corner, named for the failure messages.
struct Place {
    const char* name;
    POINT corner;
};

// The places of `window` from which a window centred on it is checked:
// where it is, off centre, and half off the screen at two corners, from
// which the centred window must be pulled back inside the screen.
std::vector<Place> placesToCentreOn(HWND window);

void moveWindowTo(HWND window, POINT corner);

// Where a window of `window`'s size is placed when centred on `area`: the
// difference halved (truncating), then kept on the screen, a negative
// coordinate first becoming 0.
POINT centredPosition(const RECT& window, const RECT& area, SIZE screen);

} // namespace platelier::testing
