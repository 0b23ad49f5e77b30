// Window finding and reading over EnumThreadWindows, GetWindow and the text
// and class functions of USER.
#include "win32/window_finder.h"

namespace platelier::testing {

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string className(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof name));
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool hasClass(HWND window, const char* name) {
    return lstrcmpiA(className(window).c_str(), name) == 0;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string messageBoxText(HWND box) {
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        return windowText(text);
    }
    for (HWND child : childWindows(box)) {
        if (hasClass(child, "Static") &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            return windowText(child);
        }
    }
    return std::string();
}

namespace {

BOOL CALLBACK collectVisibleDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && hasClass(window, "#32770")) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> visibleDialogs(DWORD threadId) {
    std::vector<HWND> dialogs;
    EnumThreadWindows(threadId, collectVisibleDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND findDialog(DWORD threadId, const std::string& title) {
    for (HWND dialog : visibleDialogs(threadId)) {
        if (windowText(dialog) == title) {
            return dialog;
        }
    }
    return nullptr;
}

HWND waitForDialog(DWORD threadId, const std::string& title, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findDialog(threadId, title)) != nullptr; }, timeout);
    return found;
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT clientRectOf(HWND child, HWND parent) {
    RECT rect = windowRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE screenSize() {
    HDC screen = GetDC(nullptr);
    const SIZE size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    return size;
}

std::vector<Place> placesToCentreOn(HWND window) {
    const RECT rect = windowRect(window);
    const SIZE screen = screenSize();
    const LONG halfWidth = (rect.right - rect.left) / 2;
    const LONG halfHeight = (rect.bottom - rect.top) / 2;
    return {
        {"where it is", {rect.left, rect.top}},
        {"off centre", {37, 21}},
        {"half off the top-left corner", {-halfWidth, -halfHeight}},
        {"half off the bottom-right corner", {screen.cx - halfWidth, screen.cy - halfHeight}},
    };
}

void moveWindowTo(HWND window, POINT corner) {
    SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

LONG centredOnAxis(LONG areaStart, LONG areaSize, LONG size, LONG screenSize) {
    const LONG position = areaStart + (areaSize - size) / 2;
    if (position < 0) {
        return 0;
    }
    return position + size > screenSize ? screenSize - size : position;
}

} // namespace

POINT centredPosition(const RECT& window, const RECT& area, SIZE screen) {
    return {centredOnAxis(area.left, area.right - area.left, window.right - window.left, screen.cx),
            centredOnAxis(area.top, area.bottom - area.top, window.bottom - window.top, screen.cy)};
}

} // namespace platelier::testing
