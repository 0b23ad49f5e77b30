// The About box's procedure: centred on the main dialog, its owner, when it
// opens; the rest is the controller's.
#include "app/about_dialog_controller.h"
#include "app/win32/callback_guard.h"
#include "app/win32/center_window.h"
#include "app/win32/dialog_procedures.h"
#include "app/win32/win32_dialog.h"

namespace platelier {

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return withoutExceptions<INT_PTR>(FALSE, [&]() -> INT_PTR {
        if ((message & 0xFFFFu) == WM_INITDIALOG) {
            centerWindow(dialog, GetWindow(dialog, GW_OWNER));
        }
        Win32Dialog window(dialog);
        return handleAboutDialogMessage(window, message, wParam) ? TRUE : FALSE;
    });
}

} // namespace platelier
