// The dialog procedures of the main dialog and the About box. They only
// translate: Win32 in, a call of the portable controller out.
#pragma once

#include <windows.h>

namespace platelier {

INT_PTR CALLBACK mainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platelier
