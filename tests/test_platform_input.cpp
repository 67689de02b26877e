// Key polling and the pointer's overlay position, on the headless back end.
#include <gtest/gtest.h>

#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

class PlatformInput : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        SetOverlaySize(320, 240);
        windowScale = 2;
    }
    void TearDown() override {
        HeadlessReset();
        windowScale = 2;
    }
};

struct PointerCase {
    const char* where;
    int px, py;
    int column, row;
};

TEST_F(PlatformInput, PointerMapsToOverlayPixelsOf640x480WindowAtOrigin) {
    ASSERT_EQ(OpenMainWindow(), 1);
    const PointerCase cases[] = {
        {"top-left pixel", 0, 0, 0, 239},
        {"bottom-right pixel", 639, 479, 319, 0},
        {"centre", 320, 240, 160, 120},
        {"second column still column 0", 1, 100, 0, 190},
        {"left of the window", -50, 100, 0, 190},
        {"right of the window", 900, 100, 319, 190},
        {"exactly on the right edge", 640, 100, 319, 190},
        {"below the window", 100, 700, 50, 0},
        {"exactly on the bottom edge", 100, 480, 50, 0},
        {"above the window", 100, -30, 50, 239},
    };
    for (const PointerCase& c : cases) {
        HeadlessSetPointer(c.px, c.py);
        EXPECT_EQ(MouseX(), c.column) << c.where;
        EXPECT_EQ(MouseY(), c.row) << c.where;
    }
}

TEST_F(PlatformInput, PointerFollowsTheWindowWhenItMoves) {
    ASSERT_EQ(OpenMainWindow(), 1);
    PlatformMoveWindow(100, 50);
    HeadlessSetPointer(100, 50);   // the window's top-left pixel
    EXPECT_EQ(MouseX(), 0);
    EXPECT_EQ(MouseY(), 239);
    HeadlessSetPointer(99, 530);   // just left of it, on its bottom edge
    EXPECT_EQ(MouseX(), 0);
    EXPECT_EQ(MouseY(), 0);
    HeadlessSetPointer(739, 529);  // its bottom-right pixel
    EXPECT_EQ(MouseX(), 319);
    EXPECT_EQ(MouseY(), 0);
}

TEST_F(PlatformInput, SameRelativePositionGivesSamePixelAtEveryScale) {
    constexpr int scaleKeys[] = {Key::F1, Key::F2, Key::F3, Key::F4};
    // Positions in scale-1 pixels; at scale n the pointer sits at n times them.
    const int positions[][2] = {{0, 0}, {123, 45}, {37, 201}, {319, 239}, {160, 120}, {1, 238}};
    int seen[6][2];
    ASSERT_EQ(OpenMainWindow(), 1);
    for (int n = 1; n <= 4; ++n) {
        HeadlessSetKey(scaleKeys[n - 1], true);
        HandleWindowKeys();
        HeadlessReleaseAllKeys();
        ASSERT_EQ(windowScale, n);
        for (int i = 0; i < 6; ++i) {
            HeadlessSetPointer(positions[i][0] * n, positions[i][1] * n);
            if (n == 1) {
                seen[i][0] = MouseX();
                seen[i][1] = MouseY();
            } else {
                EXPECT_EQ(MouseX(), seen[i][0]) << "scale " << n << " position " << i;
                EXPECT_EQ(MouseY(), seen[i][1]) << "scale " << n << " position " << i;
            }
        }
    }
    // The scale-1 answers themselves: the window is 320 x 240, so a column is
    // the pointer's x and a row counts from the exclusive bottom edge.
    EXPECT_EQ(seen[1][0], 123);
    EXPECT_EQ(seen[1][1], 195);
    EXPECT_EQ(seen[3][0], 319);
    EXPECT_EQ(seen[3][1], 1);
}

TEST_F(PlatformInput, WithoutAWindowThePointerReadsZero) {
    HeadlessSetPointer(300, 200);
    EXPECT_EQ(MouseX(), 0);
    EXPECT_EQ(MouseY(), 0);
}

TEST_F(PlatformInput, KeyDownReadsHeldKeysAndUnmappedCodesAsUp) {
    EXPECT_EQ(KeyDown(Key::Escape), 0);
    HeadlessSetKey(Key::Escape, true);
    HeadlessSetKey(Key::F3, true);
    // A held key reads as down on every poll.
    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(KeyDown(Key::Escape), 1);
        EXPECT_EQ(KeyDown(Key::F3), 1);
    }
    EXPECT_EQ(KeyDown(Key::F4), 0);
    EXPECT_EQ(KeyDown(-1), 0);
    EXPECT_EQ(KeyDown(256), 0);
    EXPECT_EQ(KeyDown(100000), 0);
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
