// The main dialog's procedure. On WM_INITDIALOG it keeps the controller's
// state, which DialogBoxParamW passes in, as the dialog's own data, and does
// the Win32 part of the dialog's preparation (centring, system menu, icon,
// files dropped accepted) before the controller's; a file dropped on it is
// opened as a master, unless a modal window it owns is open; everything else
// goes to the controller as it comes.
#include "app/dialog_messages.h"
#include "app/main_dialog_controller.h"
#include "app/win32/callback_guard.h"
#include "app/win32/center_window.h"
#include "app/win32/dialog_procedures.h"
#include "app/win32/win32_dialog.h"
#include "platform/utf16.h"
#include "resources/resource_ids.h"
#include "resources/user_texts.h"

#include <shellapi.h>
#include <string>

namespace platelier {

static_assert(messageInitDialog == WM_INITDIALOG && messageCommand == WM_COMMAND &&
              messageSystemCommand == WM_SYSCOMMAND && systemCommandClose == SC_CLOSE &&
              commandCancel == IDCANCEL);

namespace {

void prepareMainDialogWindow(HWND dialog, LPARAM state) {
    SetWindowLongPtrW(dialog, DWLP_USER, state);
    centerWindow(dialog, nullptr);
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUT, utf16FromUtf8(texts::aboutMenuItem).c_str());
    AppendMenuW(systemMenu, MF_STRING, IDM_HELP, utf16FromUtf8(texts::helpMenuItem).c_str());
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    DragAcceptFiles(dialog, TRUE);
}

// The first of the files dropped (several may be), whole however long, or
// none.
std::string firstDroppedFile(HDROP drop) {
    std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
    DragFinish(drop);
    return utf8FromUtf16(path);
}

} // namespace

INT_PTR CALLBACK mainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return withoutExceptions<INT_PTR>(TRUE, [&]() -> INT_PTR {
        if ((message & 0xFFFFu) == WM_INITDIALOG) {
            prepareMainDialogWindow(dialog, lParam);
        }
        auto* state = reinterpret_cast<ControllerState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (state == nullptr) {
            return FALSE; // a message that comes before WM_INITDIALOG
        }
        Win32Dialog window(dialog);
        if ((message & 0xFFFFu) == WM_DROPFILES) {
            // A drop comes even while a box or chooser this dialog owns has
            // disabled it, and would start a second open inside the first.
            const std::string path = firstDroppedFile(reinterpret_cast<HDROP>(wParam));
            if (!path.empty() && IsWindowEnabled(dialog)) {
                openMasterAt(window, *state, path);
            }
            return TRUE;
        }
        return handleMainDialogMessage(window, *state, message, wParam) ? TRUE : FALSE;
    });
}

} // namespace platelier
