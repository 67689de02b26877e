// The pointer's overlay position in the window, on the headless back end.
#include "platform/input.h"
#include "test_util.h"

namespace {

using PlatformInput = HeadlessTest;

TEST_F(PlatformInput, PointerMapsToOverlayPixelsOfThe640x480Window) {
    ASSERT_EQ(OpenMainWindow(), 1);
    const struct {
        const char* where;
        int left, top;   // the window's position
        int px, py;
        int column, row;
    } cases[] = {
        {"top-left pixel", 0, 0, 0, 0, 0, 239},
        {"bottom-right pixel", 0, 0, 639, 479, 319, 0},
        {"second column still column 0", 0, 0, 1, 100, 0, 190},
        {"left of the window", 0, 0, -50, 100, 0, 190},
        {"exactly on the right edge", 0, 0, 640, 100, 319, 190},
        {"exactly on the bottom edge", 0, 0, 100, 480, 50, 0},
        {"above the window", 0, 0, 100, -30, 50, 239},
        {"moved window, its top-left pixel", 100, 50, 100, 50, 0, 239},
        {"moved window, its bottom-right pixel", 100, 50, 739, 529, 319, 0},
    };
    for (const auto& c : cases) {
        PlatformMoveWindow(c.left, c.top);
        HeadlessSetPointer(c.px, c.py);
        EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(c.column, c.row)) << c.where;
    }
    // Other scales: FrameLoop.ScaleKeysLeaveFullscreenAtTheirScale. Without a window the pointer reads zero.
    HeadlessReset();
    HeadlessSetPointer(300, 200);
    EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(0, 0));
}

}  // namespace
