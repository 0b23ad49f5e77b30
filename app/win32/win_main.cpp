// The program's entry point: the main dialog, modal, with no owner, and the
// controller's state, which lives as long as the dialog. A first argument
// (the C library parses the wide command line) names a master to open at
// once: "Open with", a double-click on an associated file and a file dropped
// on the program's icon all start the program so. The exit code is always 0.
#include "app/controller_state.h"
#include "app/win32/dialog_procedures.h"
#include "platform/utf16.h"
#include "resources/resource_ids.h"

#include <cstdlib>
#include <string>

namespace {

// `path` made full against the current folder now, before a chooser changes
// that folder; as given when the system cannot make it full.
std::wstring fullPath(const wchar_t* path) {
    std::wstring full(GetFullPathNameW(path, 0, nullptr, nullptr), L'\0');
    const DWORD length =
        GetFullPathNameW(path, static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length > 0 && length < full.size() ? full.substr(0, length) : path;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    platelier::ControllerState state;
    state.masterToOpen = __argc > 1 ? platelier::utf8FromUtf16(fullPath(__wargv[1])) : "";
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, platelier::mainDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return 0;
}
