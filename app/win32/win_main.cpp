// The program's entry point: the main dialog, modal, with no owner. Nothing
// is read from the command line; the exit code is always 0.
#include "app/win32/dialog_procedures.h"
#include "app/win32/process_state.h"
#include "resources/resource_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platelier::appInstance = instance;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, platelier::mainDialogProc, 0);
    return 0;
}
