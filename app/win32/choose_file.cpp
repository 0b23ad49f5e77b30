// The open-file dialog: GetOpenFileNameW with the explorer look and a hook
// that places it.
#include "app/win32/choose_file.h"

#include "app/win32/callback_guard.h"
#include "app/win32/center_window.h"

#include <commdlg.h>
#include <cstddef>
#include <string_view>

namespace platelier {

namespace {

constexpr std::size_t fileNameBufferSize = 260;
constexpr int chooserHeightReduction = 33;

// The request as Windows 95 and NT 4 knew it, without the fields Windows
// 2000 added: OPENFILENAME_SIZE_VERSION_400W, spelt without the macro's
// casts. Its value depends on the pointer size (76 in 32-bit builds).
constexpr DWORD openFileNameVersion400Size =
    static_cast<DWORD>(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR));

} // namespace

std::optional<std::wstring> chooseFile(HWND owner, const wchar_t* defaultExtension,
                                       const wchar_t* title, const std::wstring& filter) {
    wchar_t fileName[fileNameBufferSize] = {};
    // The first pattern: after the first text, up to its own zero.
    const std::wstring_view patterns = std::wstring_view(filter).substr(filter.find(L'\0') + 1);
    patterns.substr(0, patterns.find(L'\0')).copy(fileName, fileNameBufferSize - 1);

    OPENFILENAMEW request{};
    request.lStructSize = openFileNameVersion400Size;
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = fileName;
    request.nMaxFile = static_cast<DWORD>(fileNameBufferSize);
    request.lpstrTitle = title;
    request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    request.lpstrDefExt = defaultExtension;
    request.lpfnHook = chooserHook;
    if (!GetOpenFileNameW(&request)) {
        return std::nullopt;
    }
    return std::wstring(fileName);
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
