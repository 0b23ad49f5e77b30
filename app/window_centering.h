// Where a window goes when it is centred on another window or on a work
// area (the part of a monitor that windows may take, without its taskbar):
// centred, then pulled back inside the work area.
#pragma once

#include <cstdint>
#include <optional>

namespace platelier {

struct WindowRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct WindowPosition {
    std::int32_t x;
    std::int32_t y;
};

// The top-left corner for `window`, centred on `reference` (or on the work
// area without one) and kept inside `workArea` as far as its size allows.
WindowPosition centeredPosition(const WindowRect& window,
                                const std::optional<WindowRect>& reference,
                                const WindowRect& workArea);

} // namespace platelier
