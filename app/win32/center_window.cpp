// Window centring over GetWindowRect and SetWindowPos; the arithmetic is the
// portable centeredPosition.
#include "app/win32/center_window.h"

#include "app/window_centering.h"

namespace platelier {

namespace {

WindowRect windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

void centerWindow(HWND window, HWND reference) {
    HDC context = GetDC(window);
    const int screenWidth = GetDeviceCaps(context, HORZRES);
    const int screenHeight = GetDeviceCaps(context, VERTRES);
    ReleaseDC(window, context);
    const std::optional<WindowRect> area =
        reference != nullptr ? std::optional<WindowRect>(windowRect(reference)) : std::nullopt;
    const WindowPosition position =
        centeredPosition(windowRect(window), area, screenWidth, screenHeight);
    SetWindowPos(window, HWND_TOP, position.x, position.y, 0, 0, SWP_NOSIZE);
}

} // namespace platelier
