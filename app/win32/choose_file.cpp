// The open-file dialog: GetOpenFileNameA with the explorer look and a hook
// that places it.
#include "app/win32/choose_file.h"

#include "app/win32/callback_guard.h"
#include "app/win32/center_window.h"

#include <commdlg.h>
#include <cstddef>
#include <cstring>

namespace platelier {

namespace {

constexpr std::size_t fileNameBufferSize = 260;
constexpr int chooserHeightReduction = 33;

// The request as Windows 95 and NT 4 knew it, without the fields Windows
// 2000 added: OPENFILENAME_SIZE_VERSION_400A, spelt without the macro's
// casts. Its value depends on the pointer size (76 in 32-bit builds).
constexpr DWORD openFileNameVersion400Size =
    static_cast<DWORD>(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));

} // namespace

std::optional<std::string> chooseFile(HWND owner, const char* defaultExtension, const char* title,
                                      const std::string& filter) {
    char fileName[fileNameBufferSize] = {};
    const char* firstPattern = filter.c_str() + std::strlen(filter.c_str()) + 1;
    std::strncpy(fileName, firstPattern, sizeof fileName - 1);

    OPENFILENAMEA request{};
    request.lStructSize = openFileNameVersion400Size;
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleA(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = fileName;
    request.nMaxFile = static_cast<DWORD>(sizeof fileName);
    request.lpstrTitle = title;
    request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    request.lpstrDefExt = defaultExtension;
    request.lpfnHook = chooserHook;
    if (!GetOpenFileNameA(&request)) {
        return std::nullopt;
    }
    return std::string(fileName);
}

// The hook runs in an empty child of the open-file dialog, which is owned by
// the main dialog.
UINT_PTR CALLBACK chooserHook(HWND hookDialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return 0;
    }
    return withoutExceptions<UINT_PTR>(0, [&]() -> UINT_PTR {
        HWND dialog = GetParent(hookDialog);
        RECT rect{};
        GetWindowRect(dialog, &rect);
        SetWindowPos(dialog, HWND_TOP, 0, 0, rect.right - rect.left,
                     rect.bottom - rect.top - chooserHeightReduction, SWP_NOMOVE);
        centerWindow(dialog, GetWindow(dialog, GW_OWNER));
        return 1;
    });
}

} // namespace platelier
