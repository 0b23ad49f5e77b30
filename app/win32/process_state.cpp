// The Win32 shell's process-wide state.
#include "app/win32/process_state.h"

namespace platelier {

HINSTANCE appInstance = nullptr;
HWND mainDialogWindow = nullptr;
ControllerState mainControllerState;

} // namespace platelier
