// Window centring over GetWindowRect, the monitors' work areas and
// SetWindowPos; the arithmetic is the portable centeredPosition.
#include "app/win32/center_window.h"

#include "app/window_centering.h"

namespace platelier {

namespace {

WindowRect windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The work area of the monitor that holds most of `window`, or of the
// primary monitor for none.
WindowRect workAreaOf(HWND window) {
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO information{};
    information.cbSize = sizeof information;
    GetMonitorInfoW(monitor, &information);
    const RECT& area = information.rcWork;
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace

void centerWindow(HWND window, HWND reference) {
    const std::optional<WindowRect> area =
        reference != nullptr ? std::optional<WindowRect>(windowRect(reference)) : std::nullopt;
    const WindowPosition position =
        centeredPosition(windowRect(window), area, workAreaOf(reference));
    SetWindowPos(window, HWND_TOP, position.x, position.y, 0, 0, SWP_NOSIZE);
}

} // namespace platelier
