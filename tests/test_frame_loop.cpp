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
    // Whether every pixel of the big-font `text` at (12, y) shows yellow in
    // the last presented picture (at the fixture's window scale 2).
    static bool Shows(const char* text, int y) {
        std::memset(OverlayBuffer, 0, 320 * 240 * 4);
        FormatText("%s", text);
        DrawBigText(12, y, 255, 255, 0);
        const Bytes shown = HeadlessFrontPixels();
        for (int i = 0; i < 320 * 240; ++i) {
            if (OverlayBuffer[4 * i + 3] != 255) continue;
            const uint8_t* s = &shown[4 * ((i / 320) * 2 * 640 + (i % 320) * 2)];
            if (s[0] != 255 || s[1] != 255 || s[2] != 0) return false;
        }
        return true;
    }
};

TEST_F(FrameLoop, EscapeLetsTheRestOfTheFrameRun) {
    for (int key : {Key::Escape, Key::RightBracket}) HeadlessSetKey(key, true);
    for (int i = 0; i < 2; ++i) HeadlessQueueEvent(WindowEvent::Other);
    Frame();
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
            EXPECT_EQ(Frame(), std::vector<int>{100});
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
        HeadlessReleaseAllKeys();
        HeadlessSetKey(c.key, true);
        EXPECT_EQ(Frame(), std::vector<int>{800});
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
            Frame();
            if (WalkOn != walk) toggles.push_back(frame);
            walk = WalkOn;
        }
        EXPECT_EQ(toggles, c.toggles) << c.why;
        EXPECT_EQ(leftPressFrame, int(uint32_t(c.start) + 39u)) << c.why;
    }
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
    EXPECT_TRUE(Shows("WIN32RUNKITSTONEGLOAMSR002", 226));
    Frame();
    EXPECT_TRUE(Shows("Objective Number = 1 / 3  MVD = 6", 46));
    EXPECT_FALSE(Shows("Objective Number = 1 / 3  MVD = 7", 46));
    EXPECT_EQ(objectivesFound, 1);
}
