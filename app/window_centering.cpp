// Centring arithmetic. The halving truncates toward zero ((-5) / 2 is -2),
// and each axis gets two exclusive clamps: a position before the work
// area's start becomes its start; only otherwise is a window past the far
// edge pulled back, which can leave a window larger than the work area
// before its start.
#include "app/window_centering.h"

namespace platelier {

namespace {

std::int32_t centeredOnAxis(std::int32_t referenceStart, std::int32_t referenceSize,
                            std::int32_t size, std::int32_t areaStart, std::int32_t areaEnd) {
    const std::int32_t position = referenceStart + (referenceSize - size) / 2;
    if (position < areaStart) {
        return areaStart;
    }
    if (position + size > areaEnd) {
        return areaEnd - size;
    }
    return position;
}

} // namespace

WindowPosition centeredPosition(const WindowRect& window,
                                const std::optional<WindowRect>& reference,
                                const WindowRect& workArea) {
    const WindowRect on = reference.value_or(workArea);
    return {centeredOnAxis(on.left, on.right - on.left, window.right - window.left, workArea.left,
                           workArea.right),
            centeredOnAxis(on.top, on.bottom - on.top, window.bottom - window.top, workArea.top,
                           workArea.bottom)};
}

} // namespace platelier
