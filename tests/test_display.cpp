// Fullscreen and screenshots on the headless back end: F11 covers the screen
// with the picture centred at the largest whole scale between black bars,
// the pointer maps through that scale and offset, F11 again leaves it,
// a failed switch falls back to a window or ends the game; F12 writes the
// picture on screen as a PNG named by date and time.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "png_read.h"
#include "render/screenshot.h"

namespace {

class Display : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;   // in the open sky of an empty world
        // Names in UTC, whatever the machine's zone.
        if (const char* zone = std::getenv("TZ")) savedZone = zone;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (savedZone) setenv("TZ", savedZone->c_str(), 1);
        else unsetenv("TZ");
        tzset();
        GameFixture::TearDown();
    }
    // Holds `key` for one frame.
    static void Tap(int key) {
        HeadlessSetKey(key, true);
        RunFrame();
        HeadlessSetKey(key, false);
    }
    std::optional<std::string> savedZone;
};

const Bytes Black = {0, 0, 0};

TEST_F(Display, F11CentresTheLargestWholeScaleBetweenBlackBars) {
    HeadlessSetScreenSize(1000, 700);   // scale 2 fits (640 x 480), 3 does not
    HeadlessPauses().clear();
    Tap(Key::F11);
    EXPECT_TRUE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(1000, 700));
    EXPECT_EQ((std::array{presentScale, presentLeft, presentBottom}), (std::array{2, 180, 110}));
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");
    EXPECT_EQ(PausedMs(), 300);   // one press switches once

    // Corner marks in the overlay land on the picture's corners on screen,
    // over a window painted red where the bars go.
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
    BeginFrame();
    const uint8_t red[4] = {255, 0, 0, 255}, green[4] = {0, 255, 0, 255};
    std::memcpy(OverlayBuffer, red, 4);
    std::memcpy(OverlayBuffer + 4 * (320 * 240 - 1), green, 4);
    PresentFrame();
    const Bytes front = HeadlessFrontPixels();
    ASSERT_EQ(front.size(), 1000u * 700 * 4);
    // One overlay pixel is 2 x 2; around the picture the bars are black.
    const struct { int x, y; Bytes rgb; } shown[] = {
        {180, 110, {255, 0, 0}}, {181, 111, {255, 0, 0}}, {819, 589, {0, 255, 0}}, {179, 110, Black},
        {180, 109, Black},       {820, 589, Black},       {819, 590, Black},       {0, 0, Black}, {999, 699, Black},
    };
    for (const auto& s : shown) EXPECT_EQ(ShownAt(front, 1000, s.x, s.y), s.rgb) << s.x << "," << s.y;

    // The pointer: screen rows count down from the top, overlay rows up from the bottom.
    const struct { int px, py, mx, my; } points[] = {
        {180, 589, 0, 0},      {181, 588, 0, 1},   {182, 587, 1, 1},   {819, 110, 319, 239},
        {0, 699, 0, 0},        {999, 0, 319, 239},   // in the bars: clamped to the edges
        {180 + 2 * 100 + 1, 589 - 2 * 50, 100, 50},
    };
    for (const auto& p : points) {
        HeadlessSetPointer(p.px, p.py);
        EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(p.mx, p.my)) << p.px << "," << p.py;
    }

    // F11 again: back to the window at its scale.
    Tap(Key::F11);
    EXPECT_FALSE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(640, 480));
    EXPECT_EQ((std::array{presentScale, presentLeft, presentBottom}), (std::array{2, 0, 0}));
}

TEST_F(Display, AFailedSwitchFallsBackToAWindowOrEndsTheGame) {
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    Tap(Key::F11);
    EXPECT_FALSE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(640, 480));
    EXPECT_EQ(fullscreenOn + quitRequested, 0);
    ASSERT_EQ(HeadlessMessages().size(), 1u);
    EXPECT_EQ(HeadlessMessages()[0].caption, "ERROR");

    HeadlessMessages().clear();
    HeadlessFailNextOpen(WindowFailure::CreateWindow, 2);
    Tap(Key::F11);
    EXPECT_EQ(WindowSize(), std::pair(0, 0));
    EXPECT_EQ(windowLost + quitRequested, 2);
    EXPECT_EQ(HeadlessMessages().size(), 2u);
}

TEST_F(Display, GameMainTearsDownAndEndsWithStatusOneOnlyWithoutAWindow) {
    const struct {
        const char* why;
        void (*arrange)();
        int status, frames;
        size_t messages;
    } cases[] = {
        {"Escape", [] { HeadlessSetKey(Key::Escape, true); }, 0, 1, 0},
        {"a first window that cannot open", [] { HeadlessFailNextOpen(WindowFailure::CreateContext); }, 1, 0, 1},
        // F11 held: the first frame goes fullscreen; from its pause on, every
        // window fails to open, so the second frame's switch back and the way
        // back to fullscreen both fail, and that frame is the last.
        {"a window lost to F11", [] {
             HeadlessSetKey(Key::F11, true);
             HeadlessOnPause([](int ms) {
                 if (ms == 300) HeadlessFailNextOpen(WindowFailure::CreateWindow, 2);
             });
         }, 1, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ShutdownGame();
        HeadlessReset();
        FreshProcessState();
        c.arrange();
        EXPECT_EQ(GameMain(), c.status);
        EXPECT_EQ(frameCounter, c.frames);
        EXPECT_EQ(HeadlessMessages().size(), c.messages);
        EXPECT_EQ(World, nullptr);   // torn down cleanly
        HeadlessOnPause(nullptr);
        InitGame();   // for the fixture's own teardown
    }
}

TEST_F(Display, F12WritesThePictureOnScreenAsAPng) {
    HeadlessSetTimeSeconds(1796652202);   // 2026-12-07 14:03:22 UTC
    HeadlessPauses().clear();
    Tap(Key::F12);
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{300});
    const std::filesystem::path first = "map/screenshots/2026-12-07_14-03-22.png";
    ASSERT_TRUE(std::filesystem::exists(first));
    DecodedPng png;
    ASSERT_TRUE(DecodePng(ReadBytes(first), &png));
    ASSERT_EQ(png.width, 640);
    ASSERT_EQ(png.height, 480);
    // Pixel for pixel what the window shows: its rows bottom-up, the PNG's top-down.
    const Bytes front = HeadlessFrontPixels();
    int differ = 0, yellow = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Bytes shown = ShownAt(front, 640, x, 479 - y);
            differ += Bytes(png.At(x, y), png.At(x, y) + 3) != shown;
            yellow += shown == Bytes{255, 255, 0};
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(yellow, 1000);   // the HUD is in it

    // A second one in the same second gets a suffix and leaves the first alone.
    const Bytes before = ReadBytes(first);
    Tap(Key::F12);
    EXPECT_TRUE(std::filesystem::exists("map/screenshots/2026-12-07_14-03-22_2.png"));
    EXPECT_EQ(ReadBytes(first), before);
}

TEST_F(Display, AFailedScreenshotSaysSoAndTheGameGoesOn) {
    WriteBytes("map/screenshots", {1, 2, 3});   // a file where the folder should be
    testing::internal::CaptureStderr();
    HeadlessPauses().clear();
    Tap(Key::F12);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("Screenshot not saved: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{300});
    EXPECT_EQ(quitRequested + frameCounter, 1);
}

}  // namespace
