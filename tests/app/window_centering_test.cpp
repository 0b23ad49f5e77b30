// Centring arithmetic: truncating halves and the two exclusive clamps.
#include "app/window_centering.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

struct CenterCase {
    const char* name;
    WindowRect window;
    std::optional<WindowRect> reference;
    std::int32_t x;
    std::int32_t y;
};

const CenterCase centerCases[] = {
    {"300x200 on a 1024x768 screen", {0, 0, 300, 200}, std::nullopt, 362, 284},
    {"odd difference truncates toward zero", {0, 0, 105, 100}, WindowRect{10, 10, 110, 110}, 8, 10},
    {"past the right edge comes back", {0, 0, 200, 100}, WindowRect{900, 300, 1000, 400}, 824, 300},
    {"off the left and top edges", {0, 0, 200, 100}, WindowRect{-300, -200, -100, -100}, 0, 0},
    {"right edge exactly on the screen's stays",
     {0, 0, 200, 100},
     WindowRect{824, 0, 1024, 100},
     824,
     0},
    {"wider than the screen, centred left of 0", {0, 0, 1200, 900}, std::nullopt, 0, 0},
    {"wider than the screen, centred at 0 or more",
     {0, 0, 1200, 100},
     WindowRect{600, 0, 1400, 100},
     -176,
     0},
    {"bottom edge clamp", {0, 0, 100, 300}, WindowRect{0, 700, 100, 760}, 0, 468},
};

TEST(CenteredPosition, CentresThenClampsEachAxis) {
    for (const CenterCase& c : centerCases) {
        const WindowPosition position = centeredPosition(c.window, c.reference, 1024, 768);
        EXPECT_EQ(position.x, c.x) << c.name;
        EXPECT_EQ(position.y, c.y) << c.name;
    }
}

} // namespace
} // namespace platelier
