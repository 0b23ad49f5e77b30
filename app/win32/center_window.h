// Centres a window on another window, or on the screen, and keeps it on the
// screen. Used for the main dialog, the About box and the open-file dialog.
#pragma once

#include <windows.h>

namespace platelier {

// Moves `window` (keeping its size, and bringing it to the top) to the
// centre of `reference`, or of the screen when `reference` is null.
void centerWindow(HWND window, HWND reference);

} // namespace platelier
