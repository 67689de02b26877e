// Key polling and the pointer's overlay position, on the headless back end.
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
        {"centre", 0, 0, 320, 240, 160, 120},
        {"second column still column 0", 0, 0, 1, 100, 0, 190},
        {"left of the window", 0, 0, -50, 100, 0, 190},
        {"right of the window", 0, 0, 900, 100, 319, 190},
        {"exactly on the right edge", 0, 0, 640, 100, 319, 190},
        {"below the window", 0, 0, 100, 700, 50, 0},
        {"exactly on the bottom edge", 0, 0, 100, 480, 50, 0},
        {"above the window", 0, 0, 100, -30, 50, 239},
        {"moved window, its top-left pixel", 100, 50, 100, 50, 0, 239},
        {"moved window, left of it on its bottom edge", 100, 50, 99, 530, 0, 0},
        {"moved window, its bottom-right pixel", 100, 50, 739, 529, 319, 0},
    };
    for (const auto& c : cases) {
        PlatformMoveWindow(c.left, c.top);
        HeadlessSetPointer(c.px, c.py);
        EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(c.column, c.row)) << c.where;
    }
}

TEST_F(PlatformInput, SameRelativePositionGivesSamePixelAtEveryScale) {
    // Positions in scale-1 pixels and the overlay pixel each must give: the
    // 320 x 240 window's column is the pointer's x, a row counts from the
    // exclusive bottom edge (and the top row is clamped into the overlay).
    const int cases[][4] = {{0, 0, 0, 239}, {123, 45, 123, 195}, {37, 201, 37, 39}, {319, 239, 319, 1}, {160, 120, 160, 120}};
    ASSERT_EQ(OpenMainWindow(), 1);
    const int scaleKeys[] = {Key::F1, Key::F2, Key::F3, Key::F4};
    for (int n = 1; n <= 4; ++n) {
        WindowKeysWith({scaleKeys[n - 1]});
        ASSERT_EQ(windowScale, n);
        for (const auto& c : cases) {
            HeadlessSetPointer(c[0] * n, c[1] * n);
            EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(c[2], c[3])) << "scale " << n << " at " << c[0] << "," << c[1];
        }
    }
    // Without a window the pointer reads zero.
    HeadlessReset();
    HeadlessSetPointer(300, 200);
    EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(0, 0));
}

TEST_F(PlatformInput, KeyDownReadsHeldKeysAndUnmappedCodesAsUp) {
    EXPECT_EQ(KeyDown(Key::Escape), 0);
    HeadlessSetKey(Key::Escape, true);
    HeadlessSetKey(Key::F3, true);
    // A held key reads as down on every poll.
    for (int poll = 0; poll < 3; ++poll) EXPECT_EQ(KeyDown(Key::Escape), 1);
    for (int code : {int(Key::F4), -1, 256, 100000}) EXPECT_EQ(KeyDown(code), 0) << code;
    HeadlessSetKey(Key::Escape, false);
    EXPECT_EQ(KeyDown(Key::Escape), 0);
    EXPECT_EQ(KeyDown(Key::F3), 1);
}

TEST_F(PlatformInput, TimeSeedKeepsTheLow32BitsOfTheClock) {
    HeadlessSetTimeSeconds(1700000000);
    EXPECT_EQ(TimeSeed(), 1700000000u);
    HeadlessSetTimeSeconds((int64_t{5} << 32) + 1234);
    EXPECT_EQ(TimeSeed(), 1234u);
}

}  // namespace
