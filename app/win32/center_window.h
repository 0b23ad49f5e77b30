// Centres a window on another window, or on the primary monitor, and keeps
// it inside that monitor's work area. Used for the main dialog, the About
// box and the open-file dialog.
#pragma once

#include <windows.h>

namespace platelier {

// Moves `window` (keeping its size, and bringing it to the top) to the
// centre of `reference`, inside the work area of the monitor that holds
// `reference`; or to the centre of the primary monitor's work area when
// `reference` is null.
void centerWindow(HWND window, HWND reference);

} // namespace platelier
