// The walk, the push away from solid cells, the head bob, the cell crossing
// and the mouse look, with the figures a player's motion depends on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/game.h"
#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/window.h"
#include "render/bitmap.h"
#include "render/camera.h"
#include "world/volume.h"

class Camera : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        World = static_cast<uint8_t*>(std::calloc(VolumeSize, 1));
        UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCount, sizeof(UnitRecord)));
        SX = 100, SY = 100, SZ = 20;
        cycleStep = 2;
        frameCounter = 0;
        WalkOn = MouseLookOn = 0;
        Yaw = 0.0f, Pitch = -90.0f;
        SetOffset(0.5f, 0.5f, 0.5f);
    }
    void TearDown() override {
        std::free(World);
        std::free(UnitTable);
        World = nullptr;
        UnitTable = nullptr;
        HeadlessReset();
    }
    static void SetOffset(float px, float py, float pz) {
        Player().cellOffset[0] = px;
        Player().cellOffset[1] = py;
        Player().cellOffset[2] = pz;
    }
    static float P(int axis) { return Player().cellOffset[axis]; }
    static void Solid(int dx, int dy, int dz) { World[CellIndex(SX + dx, SY + dy, SZ + dz)] = 1; }
};

TEST_F(Camera, LevelWalkMovesAlongTheLineOfSight) {
    WalkOn = 1;
    MovePlayer();
    EXPECT_FLOAT_EQ(P(1), 0.45f);   // toward smaller y
    EXPECT_EQ(P(0), 0.5f);
    EXPECT_EQ(P(2), 0.5f);
    EXPECT_EQ(Player().stepCount, 1);   // frame 0: 0 % 2 == 0
    frameCounter = 1;
    MovePlayer();
    EXPECT_EQ(Player().stepCount, 1);   // every second frame only

    // Yaw 90 at a level view walks toward larger x, which lowers px.
    Yaw = 90.0f;
    SetOffset(0.5f, 0.5f, 0.5f);
    MovePlayer();
    EXPECT_FLOAT_EQ(P(0), 0.45f);
    EXPECT_NEAR(P(1), 0.5f, 1e-6f);
}

TEST_F(Camera, PitchZeroWalksStraightDownAndZWalksBack) {
    Pitch = 0.0f;
    WalkOn = 1;
    MovePlayer();
    EXPECT_FLOAT_EQ(P(2), 0.45f);   // larger z: pz falls
    EXPECT_NEAR(P(0), 0.5f, 1e-6f);
    EXPECT_NEAR(P(1), 0.5f, 1e-6f);

    // Walking forward and back in one frame cancel, and so do their steps.
    HeadlessSetKey(Key::Z, true);
    SetOffset(0.5f, 0.5f, 0.5f);
    int steps = Player().stepCount;
    MovePlayer();
    EXPECT_FLOAT_EQ(P(2), 0.5f);
    EXPECT_EQ(Player().stepCount, steps);
    WalkOn = 0;
    MovePlayer();
    EXPECT_FLOAT_EQ(P(2), 0.55f);
}

TEST_F(Camera, PushesKeepTheEyeAwayFromWalls) {
    Solid(-1, 0, 0);   // the low-x side
    SetOffset(0.75f, 0.5f, 0.5f);   // u = 0.25
    CollidePlayer(0.25f, 0.5f, 0.5f);
    EXPECT_FLOAT_EQ(P(0), 0.7f);
    // u = 0.1 is set to 0.3 and pushed a further 0.2 to 0.5; the low diagonal
    // probe then finds the same wall and moves the eye 0.2 away on both axes.
    SetOffset(0.9f, 0.5f, 0.5f);
    CollidePlayer(0.1f, 0.5f, 0.5f);
    EXPECT_FLOAT_EQ(P(0), 0.3f);
    EXPECT_FLOAT_EQ(P(1), 0.7f);

    // High side on y mirrors it: v = 0.75 ends at 0.7, v = 0.9 at 0.5.
    std::memset(World, 0, VolumeSize);
    Solid(0, 1, 0);
    SetOffset(0.5f, 0.75f, 0.5f);
    CollidePlayer(0.5f, 0.75f, 0.5f);
    EXPECT_FLOAT_EQ(P(1), 0.7f);
    SetOffset(0.5f, 0.9f, 0.5f);   // 0.9 -> 0.7 -> 0.5, then the high diagonal
    CollidePlayer(0.5f, 0.9f, 0.5f);
    EXPECT_FLOAT_EQ(P(1), 0.3f);
    EXPECT_FLOAT_EQ(P(0), 0.7f);
}

TEST_F(Camera, InsideASolidCellOnlyTheHardPushesApply) {
    Solid(0, 0, 0);   // own cell, and both x neighbours
    Solid(-1, 0, 0);
    Solid(1, 0, 0);
    SetOffset(0.5f, 0.5f, 0.5f);
    CollidePlayer(0.5f, 0.5f, 0.5f);
    // The hard pushes from both x sides cancel and no soft push acts; only
    // the first diagonal probe, which lands in the own solid cell, moves the eye.
    EXPECT_FLOAT_EQ(P(0), 0.3f);
    EXPECT_FLOAT_EQ(P(1), 0.7f);
    EXPECT_FLOAT_EQ(P(2), 0.5f);
}

TEST_F(Camera, CornerPushMovesDiagonallyOnce) {
    Solid(-1, -1, 0);   // the only solid cell around
    SetOffset(0.9f, 0.1f, 0.5f);   // (u, v) = (0.1, 0.1)
    CollidePlayer(0.1f, 0.1f, 0.5f);
    EXPECT_FLOAT_EQ(1.0f - P(0), 0.3f);
    EXPECT_FLOAT_EQ(P(1), 0.3f);
}

TEST_F(Camera, CellCrossingHandsOverToTheNeighbour) {
    SetOffset(-0.03f, 0.5f, 0.5f);
    MovePlayer();
    EXPECT_EQ(SX, 101);
    EXPECT_FLOAT_EQ(P(0), 0.97f);
    SetOffset(1.0f, 0.5f, 0.5f);   // exactly 1 stays
    MovePlayer();
    EXPECT_EQ(SX, 101);
    SetOffset(0.5f, 1.25f, 0.5f);
    MovePlayer();
    EXPECT_EQ(SY, 101);
    EXPECT_FLOAT_EQ(P(1), 0.25f);
    SetOffset(0.5f, 0.5f, 1.5f);
    MovePlayer();
    EXPECT_EQ(SZ, 19);
}

TEST_F(Camera, HeadBobOnlyOnTheWalkingLayers) {
    SZ = 39;
    Player().stepCount = 0;
    SetOffset(0.5f, 0.5f, 0.2f);
    CollidePlayer(0.5f, 0.5f, 0.8f);
    EXPECT_FLOAT_EQ(P(2), 0.54f);
    Player().stepCount = 10;
    CollidePlayer(0.5f, 0.5f, 0.8f);
    EXPECT_FLOAT_EQ(P(2), 0.54f + 0.05f * static_cast<float>(std::sin(2.0)));
    for (int z : {40, 36}) {
        SZ = z;
        SetOffset(0.5f, 0.5f, 0.2f);
        CollidePlayer(0.5f, 0.5f, 0.8f);
        EXPECT_FLOAT_EQ(P(2), 0.2f) << z;
    }
}

TEST_F(Camera, MouseLookSetsTheAnglesFromThePointer) {
    SetOverlaySize(320, 240);
    ImageTable = static_cast<ImageSlot*>(std::calloc(ImageSlotCount, sizeof(ImageSlot)));
    windowScale = 2;
    HeadlessSetPointer(20, 300);   // a 640 x 480 window: column 10, row 90
    ASSERT_EQ(OpenMainWindow(), 1);
    MouseLook();
    EXPECT_EQ(Yaw, 0.0f);   // off: unchanged
    MouseLookOn = 1;
    MouseLook();
    EXPECT_EQ(Yaw, 0.0f);
    EXPECT_EQ(Pitch, -90.0f);
    HeadlessSetPointer(0, 479);
    MouseLook();
    EXPECT_EQ(Yaw, 20.0f);
    EXPECT_EQ(Pitch, 0.0f);
    PlatformCloseWindow();
    ShutdownGame();
}

TEST_F(Camera, TheCursorNeverLeavesTheVolume) {
    // Walk straight at every face of the volume through open cells.
    struct Walk {
        float yaw, pitch;
        int sx, sy, sz;
    };
    const Walk walks[] = {{-90, -90, 2, 100, 20},  {90, -90, 253, 100, 20}, {0, -90, 100, 2, 20},
                          {180, -90, 100, 253, 20}, {0, -180, 100, 100, 2}, {0, 0, 100, 100, 177}};
    cycleStep = 1;
    WalkOn = 1;
    for (const Walk& w : walks) {
        Yaw = w.yaw, Pitch = w.pitch;
        SX = w.sx, SY = w.sy, SZ = w.sz;
        SetOffset(0.5f, 0.5f, 0.5f);
        for (int i = 0; i < 200; ++i) {
            MovePlayer();
            ASSERT_TRUE(InsideVolume(SX, SY, SZ)) << w.yaw << " " << w.pitch << " step " << i;
            for (int a = 0; a < 3; ++a) {
                ASSERT_GE(P(a), 0.0f);
                ASSERT_LE(P(a), 1.0f);
            }
        }
    }
}
