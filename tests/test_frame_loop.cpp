// Whole frames on the headless back end: the game keys with their pauses,
// the mouse buttons, objective pickup and the way out; fullscreen, where F11
// covers the screen with the picture centred at the largest whole scale
// between black bars, the pointer maps through that scale and offset, F11
// again and F1..F4 leave it, and a failed switch falls back to a window or
// ends the game; F12 writes the picture on screen as a PNG named by date
// and time.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "png_read.h"
#include "render/overlay.h"
#include "render/screenshot.h"

namespace {

class FrameLoop : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;   // in the open sky of an empty world
        Player().cellOffset[0] = Player().cellOffset[1] = Player().cellOffset[2] = 0.5f;
    }
};

TEST_F(FrameLoop, EscapeLetsTheRestOfTheFrameRun) {
    for (int key : {Key::Escape, Key::RightBracket}) HeadlessSetKey(key, true);
    for (int i = 0; i < 2; ++i) HeadlessQueueEvent(WindowEvent::Other);
    Tap();
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(MVD, 7);                      // later keys still tested
    EXPECT_EQ(HeadlessQueuedEvents(), 0);   // messages pumped until the queue is empty
    EXPECT_EQ(frameCounter, 1);
    EXPECT_EQ(HeadlessSwapCount(), 1);
}

TEST_F(FrameLoop, ViewDistanceKeysClampAndPauseEveryFrame) {
    const struct { int key, from, to; } cases[] = {{Key::LeftBracket, 2, 1}, {Key::RightBracket, 29, 30}};
    for (const auto& c : cases) {
        MVD = c.from;
        HeadlessSetKey(c.key, true);
        for (int frame = 0; frame < 3; ++frame) {
            EXPECT_EQ(Tap(), std::vector<int>{100});
            EXPECT_EQ(MVD, c.to) << "from " << c.from << ", frame " << frame;
        }
        HeadlessSetKey(c.key, false);
    }
}

TEST_F(FrameLoop, LayerKeysStepOnlyIntoEmptyCellsAndAlwaysPause) {
    const struct {
        int key, from;
        bool solid;   // the cell the key steps into
        int to;
    } cases[] = {
        {Key::KeypadPlus, 20, true, 20},   {Key::KeypadPlus, 20, false, 21},
        {Key::KeypadPlus, 179, false, 179},   // no cell below the last layer
        {Key::KeypadMinus, 1, false, 1},      // never onto the terrain layer
        {Key::KeypadMinus, 0, false, 0},     {Key::KeypadMinus, 10, false, 9},
    };
    for (const auto& c : cases) {
        SZ = c.from;
        const int next = c.key == Key::KeypadPlus ? c.from + 1 : c.from - 1;
        if (InsideVolume(SX, SY, next)) World[CellIndex(SX, SY, next)] = c.solid;
        EXPECT_EQ(Tap({c.key}), std::vector<int>{800});
        EXPECT_EQ(SZ, c.to) << "from " << c.from;
    }
}

TEST_F(FrameLoop, MousePressesAreDebouncedByFramesAcrossTheCountersWrap) {
    // A left press in every frame: taken at most once in 13 frames, also when
    // a game loaded 5 frames short of 2^31 wraps its counter on the 5th frame.
    const struct {
        int start;
        std::vector<int> toggles;   // the frames, counted from 0, whose end shows a new walk mode
        const char* why;
    } cases[] = {
        {0, {14, 27}, "refused until frameCounter 13, acted on in the frame after"},
        {2147483643, {1, 14, 27}, "taken in the first frame and 13 and 26 frames later"},
    };
    for (const auto& c : cases) {
        frameCounter = c.start;
        leftPressed = leftPressFrame = 0;
        std::vector<int> toggles;
        int walk = WalkOn;
        for (int frame = 0; frame < 40; ++frame) {
            HeadlessQueueEvent(WindowEvent::LeftButton);
            Tap();
            if (WalkOn != walk) toggles.push_back(frame);
            walk = WalkOn;
        }
        EXPECT_EQ(toggles, c.toggles) << c.why;
        EXPECT_EQ(leftPressFrame, int(uint32_t(c.start) + 39u)) << c.why;
    }
    EXPECT_EQ(MouseLookOn, 0);   // the right button is independent
    HeadlessQueueEvent(WindowEvent::RightButton);
    Tap();
    Tap();
    EXPECT_EQ(MouseLookOn, 1);
}

TEST_F(FrameLoop, ObjectiveCountsInTheFrameAfterItShows) {
    objectivesTotal = 3;
    Flagmap[CellIndex(SX, SY, SZ)] = ObjectiveFlag;
    Tap();
    EXPECT_EQ(objectivesFound, 1);
    EXPECT_EQ(Flagmap[CellIndex(SX, SY, SZ)], 0);
    EXPECT_TRUE(Shows("Objective Number = 0 / 3  MVD = 6", false, Yellow));
    EXPECT_TRUE(Shows("WIN32RUNKITSTONEGLOAMSR002", false, Yellow));
    Tap();
    EXPECT_TRUE(Shows("Objective Number = 1 / 3  MVD = 6", false, Yellow));
    EXPECT_FALSE(Shows("Objective Number = 1 / 3  MVD = 7", false, Yellow));
    EXPECT_EQ(objectivesFound, 1);
}

const Bytes Black = {0, 0, 0};

TEST_F(FrameLoop, F11CentresTheLargestWholeScaleBetweenBlackBars) {
    HeadlessSetScreenSize(1000, 700);   // scale 2 fits (640 x 480), 3 does not
    EXPECT_EQ(Tap({Key::F11}), std::vector<int>{300});   // one press switches once
    EXPECT_TRUE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(1000, 700));
    EXPECT_EQ((std::array{presentScale, presentLeft, presentBottom}), (std::array{2, 180, 110}));
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");

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
    Tap({Key::F11});
    EXPECT_FALSE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(640, 480));
    EXPECT_EQ((std::array{presentScale, presentLeft, presentBottom}), (std::array{2, 0, 0}));
}

TEST_F(FrameLoop, ScaleKeysLeaveFullscreenAtTheirScale) {
    HeadlessSetScreenSize(3840, 2160);   // 4K: scale 9 (2880 x 2160)
    Tap({Key::F11});
    EXPECT_EQ((std::array{presentScale, presentLeft, presentBottom}), (std::array{9, 480, 0}));
    Tap({Key::F3});
    EXPECT_FALSE(HeadlessFullscreen() || fullscreenOn);
    EXPECT_EQ(WindowSize(), std::pair(960, 720));
    EXPECT_EQ(presentScale, 3);
    // The pointer maps through the whole window again.
    HeadlessSetPointer(959, 0);
    EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(319, 239));
}

TEST_F(FrameLoop, AFailedSwitchFallsBackToAWindow) {
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    Tap({Key::F11});
    EXPECT_FALSE(HeadlessFullscreen());
    EXPECT_EQ(WindowSize(), std::pair(640, 480));
    EXPECT_EQ(fullscreenOn + quitRequested, 0);
    ASSERT_EQ(HeadlessMessages().size(), 1u);
    EXPECT_EQ(HeadlessMessages()[0].caption, "ERROR");
    // Where the window cannot open either, the game ends: GameMain's "a window lost to F11".
}

TEST_F(FrameLoop, GameMainTearsDownAndEndsWithStatusOneOnlyWithoutAWindow) {
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

TEST_F(FrameLoop, F12WritesThePictureOnScreenAsAPng) {
    // Screenshot names in UTC, whatever the machine's zone; only the screenshots read it.
    setenv("TZ", "UTC", 1);
    tzset();
    HeadlessSetTimeSeconds(1796652202);   // 2026-12-07 14:03:22 UTC
    EXPECT_EQ(Tap({Key::F12}), std::vector<int>{300});
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
    Tap({Key::F12});
    EXPECT_TRUE(std::filesystem::exists("map/screenshots/2026-12-07_14-03-22_2.png"));
    EXPECT_EQ(ReadBytes(first), before);
}

TEST_F(FrameLoop, AFailedScreenshotSaysSoAndTheGameGoesOn) {
    WriteBytes("map/screenshots", {1, 2, 3});   // a file where the folder should be
    testing::internal::CaptureStderr();
    const std::vector<int> pauses = Tap({Key::F12});
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("Screenshot not saved: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(pauses, std::vector<int>{300});
    EXPECT_EQ(quitRequested + frameCounter, 1);
}

}  // namespace
