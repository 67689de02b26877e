// Whole frames on the headless back end: the game keys with their pauses,
// the mouse buttons, objective pickup and the way out.
#include <cstring>
#include <vector>

#include "game_fixture.h"
#include "platform/input.h"
#include "render/overlay.h"

class FrameLoop : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;
        Player().cellOffset[0] = Player().cellOffset[1] = Player().cellOffset[2] = 0.5f;
    }
    // Runs one frame and returns the pauses it took.
    std::vector<int> Frame() {
        HeadlessPauses().clear();
        RunFrame();
        return HeadlessPauses();
    }
    // Overlay pixels of the big-font text `text` at (12, y), drawn alone.
    static std::vector<uint8_t> TextAlone(const char* text, int y) {
        std::vector<uint8_t> saved(OverlayBuffer, OverlayBuffer + 320 * 240 * 4);
        std::memset(OverlayBuffer, 0, 320 * 240 * 4);
        FormatText("%s", text);
        DrawBigText(12, y, 255, 255, 0);
        std::vector<uint8_t> picture(OverlayBuffer, OverlayBuffer + 320 * 240 * 4);
        std::memcpy(OverlayBuffer, saved.data(), saved.size());
        return picture;
    }
    // Whether every pixel of `text` at (12, y) shows yellow in the last presented picture.
    static bool Shows(const char* text, int y) {
        std::vector<uint8_t> alone = TextAlone(text, y);
        std::vector<uint8_t> shown = HeadlessFrontPixels();
        int width, height;
        HeadlessWindowSize(&width, &height);
        int scale = width / 320;
        for (int py = 0; py < 240; ++py)
            for (int px = 0; px < 320; ++px) {
                const uint8_t* a = &alone[4 * (py * 320 + px)];
                if (a[3] != 255) continue;
                const uint8_t* s = &shown[4 * ((py * scale) * width + px * scale)];
                if (s[0] != 255 || s[1] != 255 || s[2] != 0) return false;
            }
        return true;
    }
};

TEST_F(FrameLoop, EscapeLetsTheRestOfTheFrameRun) {
    HeadlessSetKey(Key::Escape, true);
    HeadlessSetKey(Key::RightBracket, true);
    HeadlessQueueEvent(WindowEvent::Other);
    HeadlessQueueEvent(WindowEvent::Other);
    Frame();
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(MVD, 7);                      // later keys still tested
    EXPECT_EQ(HeadlessQueuedEvents(), 0);   // messages pumped until the queue is empty
    EXPECT_EQ(frameCounter, 1);
    EXPECT_EQ(HeadlessSwapCount(), 1);
}

TEST_F(FrameLoop, ViewDistanceKeysClampAndPauseEveryFrame) {
    MVD = 2;
    HeadlessSetKey(Key::LeftBracket, true);
    for (int expected : {1, 1, 1}) {
        EXPECT_EQ(Frame(), std::vector<int>{100});
        EXPECT_EQ(MVD, expected);
    }
    HeadlessSetKey(Key::LeftBracket, false);
    MVD = 29;
    HeadlessSetKey(Key::RightBracket, true);
    for (int expected : {30, 30}) {
        EXPECT_EQ(Frame(), std::vector<int>{100});
        EXPECT_EQ(MVD, expected);
    }
}

TEST_F(FrameLoop, LayerKeysStepOnlyIntoEmptyCellsAndAlwaysPause) {
    World[CellIndex(100, 100, 21)] = 1;
    HeadlessSetKey(Key::KeypadPlus, true);
    EXPECT_EQ(Frame(), std::vector<int>{800});
    EXPECT_EQ(SZ, 20);   // solid below
    World[CellIndex(100, 100, 21)] = 0;
    Frame();
    EXPECT_EQ(SZ, 21);
    HeadlessSetKey(Key::KeypadPlus, false);

    SZ = 179;   // no cell below the last layer
    HeadlessSetKey(Key::KeypadPlus, true);
    EXPECT_EQ(Frame(), std::vector<int>{800});
    EXPECT_EQ(SZ, 179);
    HeadlessSetKey(Key::KeypadPlus, false);

    World[CellIndex(100, 100, 0)] = 0;
    SZ = 1;   // never onto the terrain layer
    HeadlessSetKey(Key::KeypadMinus, true);
    EXPECT_EQ(Frame(), std::vector<int>{800});
    EXPECT_EQ(SZ, 1);
    SZ = 0;
    EXPECT_EQ(Frame(), std::vector<int>{800});
    EXPECT_EQ(SZ, 0);
    SZ = 10;
    Frame();
    EXPECT_EQ(SZ, 9);
}

TEST_F(FrameLoop, MousePressesAreDebouncedByFrames) {
    // A left press in every frame: refused until frameCounter 13, then at most once in 13 frames.
    std::vector<int> toggles;
    int walk = WalkOn;
    for (int frame = 0; frame < 40; ++frame) {
        HeadlessQueueEvent(WindowEvent::LeftButton);
        Frame();
        if (WalkOn != walk) toggles.push_back(frameCounter - 1);
        walk = WalkOn;
    }
    // Accepted while pumping in frames 13 and 26 and 39, acted on in the frame after.
    EXPECT_EQ(toggles, (std::vector<int>{14, 27}));
    EXPECT_EQ(leftPressFrame, 39);
    EXPECT_EQ(MouseLookOn, 0);   // the right button is independent
    HeadlessQueueEvent(WindowEvent::RightButton);
    Frame();
    Frame();
    EXPECT_EQ(MouseLookOn, 1);
}

TEST_F(FrameLoop, ObjectiveCountsInTheFrameAfterItShows) {
    objectivesTotal = 3;
    Flagmap[CellIndex(SX, SY, SZ)] = ObjectiveFlag;
    Frame();
    EXPECT_EQ(objectivesFound, 1);
    EXPECT_EQ(Flagmap[CellIndex(SX, SY, SZ)], 0);
    EXPECT_TRUE(Shows("Objective Number = 0 / 3  MVD = 6", 46));
    Frame();
    EXPECT_TRUE(Shows("Objective Number = 1 / 3  MVD = 6", 46));
    EXPECT_EQ(objectivesFound, 1);
}

TEST_F(FrameLoop, HudShowsTheBannerAndThePosition) {
    HeadlessSetPointer(20, 300);
    Frame();
    EXPECT_TRUE(Shows("WIN32RUNKITSTONEGLOAMSR002", 226));
    EXPECT_TRUE(Shows("SX=100,SY=100,SZ=20 mx=10 my=90", 31));
    EXPECT_FALSE(Shows("SX=101,SY=100,SZ=20 mx=10 my=90", 31));
}

TEST_F(FrameLoop, GameMainEndsWithStatusZeroAfterEscape) {
    ShutdownGame();
    HeadlessReset();
    HeadlessSetKey(Key::Escape, true);
    EXPECT_EQ(GameMain(), 0);
    EXPECT_EQ(World, nullptr);   // torn down
    EXPECT_EQ(frameCounter, 1);
    InitGame();   // for the fixture's own teardown
}

TEST_F(FrameLoop, FailedWindowEndsTheProgramWithAnError) {
    ShutdownGame();
    HeadlessReset();
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    EXPECT_EQ(GameMain(), 1);
    ASSERT_EQ(HeadlessMessages().size(), 1u);
    EXPECT_EQ(HeadlessMessages()[0].caption, "ERROR");
    EXPECT_EQ(World, nullptr);
    InitGame();
}
