// Centring arithmetic. The halving truncates toward zero ((-5) / 2 is -2),
// and each axis gets two exclusive clamps: a negative position becomes 0;
// only otherwise is a window past the far edge pulled back, which can leave
// a window larger than the screen at a negative position.
#include "app/window_centering.h"

namespace platelier {

namespace {

std::int32_t centeredOnAxis(std::int32_t referenceStart, std::int32_t referenceSize,
                            std::int32_t size, std::int32_t screenSize) {
    const std::int32_t position = referenceStart + (referenceSize - size) / 2;
    if (position < 0) {
        return 0;
    }
    if (position + size > screenSize) {
        return screenSize - size;
    }
    return position;
}

} // namespace

WindowPosition centeredPosition(const WindowRect& window,
                                const std::optional<WindowRect>& reference,
                                std::int32_t screenWidth, std::int32_t screenHeight) {
    const WindowRect area = reference.value_or(WindowRect{0, 0, screenWidth, screenHeight});
    return {
        centeredOnAxis(area.left, area.right - area.left, window.right - window.left, screenWidth),
        centeredOnAxis(area.top, area.bottom - area.top, window.bottom - window.top, screenHeight)};
}

} // namespace platelier
