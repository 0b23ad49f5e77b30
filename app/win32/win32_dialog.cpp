// The Dialog interface over GetDlgItem, GetWindowTextW, SetWindowTextW and
// the other USER functions of a real dialog: every text in UTF-8 on this
// side, in UTF-16 on the window's.
#include "app/win32/win32_dialog.h"

#include "app/win32/choose_file.h"
#include "app/win32/dialog_procedures.h"
#include "platform/utf16.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <vector>

namespace platelier {

std::string Win32Dialog::controlText(int id, int limit) {
    std::vector<wchar_t> text(static_cast<std::size_t>(limit), L'\0');
    const int length = GetWindowTextW(GetDlgItem(window_, id), text.data(), limit);
    return utf8FromUtf16(
        std::wstring_view(text.data(), static_cast<std::size_t>(length > 0 ? length : 0)));
}

void Win32Dialog::setControlText(int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(window_, id), utf16FromUtf8(text).c_str());
}

void Win32Dialog::enableControl(int id, bool enabled) {
    EnableWindow(GetDlgItem(window_, id), enabled ? TRUE : FALSE);
}

void Win32Dialog::showMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(window_, utf16FromUtf8(text).c_str(), utf16FromUtf8(caption).c_str(), MB_OK);
}

void Win32Dialog::runModalDialog(int templateId) {
    // The About box is the one nested dialog of the program's own.
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), window_,
                    aboutDialogProc, 0);
}

void Win32Dialog::endDialog(int result) {
    EndDialog(window_, result);
}

void Win32Dialog::sendCommand(int id) {
    SendMessageW(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Win32Dialog::postCommand(int id) {
    PostMessageW(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

std::optional<std::string> Win32Dialog::chooseFile(const std::string& defaultExtension,
                                                   const std::string& title,
                                                   const FileFilter& filter) {
    std::wstring filterPairs = utf16FromUtf8(filter.text);
    filterPairs += L'\0';
    filterPairs += utf16FromUtf8(filter.pattern);
    filterPairs += L'\0';
    const std::wstring extension = utf16FromUtf8(defaultExtension);
    const std::optional<std::wstring> path =
        platelier::chooseFile(window_, extension.empty() ? nullptr : extension.c_str(),
                              utf16FromUtf8(title).c_str(), filterPairs);
    return path ? std::make_optional(utf8FromUtf16(*path)) : std::nullopt;
}

std::string Win32Dialog::programPath() {
    // A buffer larger than a path can be, so that a path the help rule cannot
    // take is seen whole rather than cut.
    std::vector<wchar_t> path(1024, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return utf8FromUtf16(std::wstring_view(path.data(), length));
}

bool Win32Dialog::openHelpFile(const std::string& path) {
    return WinHelpW(window_, utf16FromUtf8(path).c_str(), HELP_CONTENTS, 0) != FALSE;
}

bool Win32Dialog::openPage(const std::string& path) {
    // ShellExecuteW's result is no handle but a number above 32 on success.
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        window_, L"open", utf16FromUtf8(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace platelier
