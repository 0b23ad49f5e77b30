// Drives a running Platelier from outside, as a user would: "close" closes
// its main dialog with the close box; "open PATH" opens the master PATH
// through the master Browse button and the open-file dialog. Exits 0 when
// it could, 1 when a window it waited for did not appear within 30 seconds.
#include <windows.h>

#include <cstring>

namespace {

HWND waitForDialog(const char* title) {
    for (int waited = 0; waited < 30000; waited += 100) {
        HWND dialog = FindWindowA("#32770", title);
        if (dialog != nullptr && IsWindowVisible(dialog)) {
            return dialog;
        }
        Sleep(100);
    }
    return nullptr;
}

// The open-file dialog's file name field: an edit under Wine, a combo box
// (whose edit takes the text) on Windows.
HWND fileNameField(HWND chooser) {
    HWND field = GetDlgItem(chooser, 0x480);
    return field != nullptr ? field : GetDlgItem(chooser, 0x47C);
}

bool openMaster(HWND mainDialog, const char* path) {
    PostMessageA(mainDialog, WM_COMMAND, 400, 0);
    HWND chooser = waitForDialog("Ouverture du fichier EPS principal");
    if (chooser == nullptr) {
        return false;
    }
    SendMessageA(fileNameField(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    HWND mainDialog = waitForDialog("Platelier - Utility to edit/manage links between DCS files");
    if (mainDialog == nullptr) {
        return 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "open") == 0) {
        return openMaster(mainDialog, argv[2]) ? 0 : 1;
    }
    PostMessageA(mainDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}
