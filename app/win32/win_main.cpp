// The program's entry point: the main dialog, modal, with no owner, and the
// controller's state, which lives as long as the dialog. A first argument
// (the C library parses the command line) names a master to open at once:
// "Open with", a double-click on an associated file and a file dropped on the
// program's icon all start the program so. The exit code is always 0.
#include "app/controller_state.h"
#include "app/win32/dialog_procedures.h"
#include "resources/resource_ids.h"

#include <cstdlib>
#include <string>

namespace {

// `path` made full against the current folder now, before a chooser changes
// that folder; as given when the system cannot make it full.
std::string fullPath(const char* path) {
    std::string full(GetFullPathNameA(path, 0, nullptr, nullptr), '\0');
    const DWORD length =
        GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length > 0 && length < full.size() ? full.substr(0, length) : path;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platelier::ControllerState state;
    state.masterToOpen = __argc > 1 ? fullPath(__argv[1]) : "";
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, platelier::mainDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return 0;
}
