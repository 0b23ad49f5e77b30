// The open-file dialog with which the user picks a master or separation file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platelier {

// Runs the open-file dialog owned by `owner`, its file name field preset to
// the filter's first pattern. `filter` is in the dialog's form: display text,
// pattern, each ending with a zero, closed by an empty string.
// `defaultExtension` may be null. The chosen full path on OK; none on
// cancel or failure.
std::optional<std::wstring> chooseFile(HWND owner, const wchar_t* defaultExtension,
                                       const wchar_t* title, const std::wstring& filter);

// The open-file dialog's hook: when the dialog opens, makes it 33 pixels
// shorter and centres it on the main dialog.
UINT_PTR CALLBACK chooserHook(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platelier
