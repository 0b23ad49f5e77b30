// The Dialog interface over GetDlgItem, GetWindowTextA, SetWindowTextA and
// the other USER functions of a real dialog.
#include "app/win32/win32_dialog.h"

#include "app/win32/choose_file.h"
#include "app/win32/dialog_procedures.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <vector>

namespace platelier {

std::string Win32Dialog::controlText(int id, int limit) {
    std::vector<char> text(static_cast<std::size_t>(limit), '\0');
    const int length = GetWindowTextA(GetDlgItem(window_, id), text.data(), limit);
    return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void Win32Dialog::setControlText(int id, const std::string& text) {
    SetWindowTextA(GetDlgItem(window_, id), text.c_str());
}

void Win32Dialog::enableControl(int id, bool enabled) {
    EnableWindow(GetDlgItem(window_, id), enabled ? TRUE : FALSE);
}

void Win32Dialog::showMessage(const std::string& text, const std::string& caption) {
    MessageBoxA(window_, text.c_str(), caption.c_str(), MB_OK);
}

void Win32Dialog::runModalDialog(int templateId) {
    // The About box is the one nested dialog of the program's own.
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), window_,
                    aboutDialogProc, 0);
}

void Win32Dialog::endDialog(int result) {
    EndDialog(window_, result);
}

void Win32Dialog::sendCommand(int id) {
    SendMessageA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Win32Dialog::postCommand(int id) {
    PostMessageA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

std::optional<std::string> Win32Dialog::chooseFile(const std::string& defaultExtension,
                                                   const std::string& title,
                                                   const FileFilter& filter) {
    std::string filterPairs = filter.text;
    filterPairs += '\0';
    filterPairs += filter.pattern;
    filterPairs += '\0';
    return platelier::chooseFile(window_,
                                 defaultExtension.empty() ? nullptr : defaultExtension.c_str(),
                                 title.c_str(), filterPairs);
}

std::string Win32Dialog::programPath() {
    // A buffer larger than a path can be, so that a path the help rule cannot
    // take is seen whole rather than cut.
    std::vector<char> path(1024, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::string(path.data(), length);
}

bool Win32Dialog::openHelpFile(const std::string& path) {
    return WinHelpA(window_, path.c_str(), HELP_CONTENTS, 0) != FALSE;
}

bool Win32Dialog::openPage(const std::string& path) {
    // ShellExecuteA's result is no handle but a number above 32 on success.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(window_, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace platelier
