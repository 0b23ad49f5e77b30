// The program's entry point: the main dialog, modal, with no owner, and the
// controller's state, which lives as long as the dialog. Nothing is read from
// the command line; the exit code is always 0.
#include "app/controller_state.h"
#include "app/win32/dialog_procedures.h"
#include "resources/resource_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platelier::ControllerState state;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, platelier::mainDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return 0;
}
