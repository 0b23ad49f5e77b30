// The main dialog's procedure. On WM_INITDIALOG it does the Win32 part of the
// dialog's preparation (window handle, centring, system menu, icon) before
// the controller's; everything else goes to the controller as it comes.
#include "app/dialog_messages.h"
#include "app/main_dialog_controller.h"
#include "app/user_texts.h"
#include "app/win32/center_window.h"
#include "app/win32/dialog_procedures.h"
#include "app/win32/process_state.h"
#include "app/win32/win32_dialog.h"
#include "resources/resource_ids.h"

#include <new>

namespace platelier {

static_assert(messageInitDialog == WM_INITDIALOG && messageCommand == WM_COMMAND &&
              messageSystemCommand == WM_SYSCOMMAND && systemCommandClose == SC_CLOSE &&
              commandCancel == IDCANCEL);

namespace {

void prepareMainDialogWindow(HWND dialog) {
    mainDialogWindow = dialog;
    centerWindow(dialog, nullptr);
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT, texts::aboutMenuItem);
    AppendMenuA(systemMenu, MF_STRING, IDM_HELP, texts::helpMenuItem);
    HICON icon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

} // namespace

INT_PTR CALLBACK mainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    // No exception may unwind into the window manager; the only one the
    // controller can meet is running out of memory, and the command then
    // simply ends.
    try {
        if ((message & 0xFFFFu) == WM_INITDIALOG) {
            prepareMainDialogWindow(dialog);
        }
        Win32Dialog window(dialog);
        return handleMainDialogMessage(window, mainControllerState, message, wParam) ? TRUE : FALSE;
    } catch (const std::bad_alloc&) {
        return TRUE;
    }
}

} // namespace platelier
