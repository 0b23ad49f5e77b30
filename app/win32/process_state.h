// The little the Win32 shell keeps for the whole run: the program's instance
// handle, the main dialog's window and its controller's state.
#pragma once

#include "app/controller_state.h"

#include <windows.h>

namespace platelier {

extern HINSTANCE appInstance;
extern HWND mainDialogWindow;
extern ControllerState mainControllerState;

} // namespace platelier
