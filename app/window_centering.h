// Where a window goes when it is centred on another window or on the screen:
// centred, then pulled back inside the screen.
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

// The top-left corner for `window`, centred on `reference` (or on the screen
// without one) and kept inside a screen of `screenWidth` x `screenHeight`
// pixels as far as its size allows.
WindowPosition centeredPosition(const WindowRect& window,
                                const std::optional<WindowRect>& reference,
                                std::int32_t screenWidth, std::int32_t screenHeight);

} // namespace platelier
