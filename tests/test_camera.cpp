// The walk, the push away from solid cells, the head bob, the cell crossing
// and the mouse look, with the figures a player's motion depends on.
#include <array>
#include <cmath>
#include <vector>

#include "core/game.h"
#include "platform/input.h"
#include "render/camera.h"
#include "test_util.h"
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
};

TEST_F(Camera, WalkMovesAlongTheLineOfSightAndZWalksBack) {
    const struct {
        float yaw, pitch;
        int axis;   // the one offset that moves by 0.1 / cycleStep
        float to;
    } walks[] = {
        {0, -90, 1, 0.45f},   // level: toward smaller y
        {90, -90, 0, 0.45f},  // yaw 90 walks toward larger x, which lowers px
        {0, 0, 2, 0.45f},     // pitch 0 walks straight down: larger z, pz falls
    };
    WalkOn = 1;
    for (const auto& w : walks) {
        Yaw = w.yaw, Pitch = w.pitch;
        SetOffset(0.5f, 0.5f, 0.5f);
        MovePlayer(KeyDown(Key::Z));
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(P(a), a == w.axis ? w.to : 0.5f, 1e-6f) << w.yaw << " " << w.pitch << " axis " << a;
    }
    // A step is counted in every cycleStep-th frame only.
    EXPECT_EQ(Player().stepCount, 3);   // frame 0: 0 % 2 == 0
    frameCounter = 1;
    MovePlayer(KeyDown(Key::Z));
    EXPECT_EQ(Player().stepCount, 3);

    // Walking forward and back in one frame cancel, and so do their steps.
    frameCounter = 0;
    HeadlessSetKey(Key::Z, true);
    SetOffset(0.5f, 0.5f, 0.5f);
    MovePlayer(KeyDown(Key::Z));
    EXPECT_FLOAT_EQ(P(2), 0.5f);
    EXPECT_EQ(Player().stepCount, 3);
    WalkOn = 0;
    MovePlayer(KeyDown(Key::Z));
    EXPECT_FLOAT_EQ(P(2), 0.55f);
}

TEST_F(Camera, PushesKeepTheEyeAwayFromSolidCells) {
    const struct {
        const char* what;
        std::vector<std::array<int, 3>> solid;   // relative to the cursor cell
        std::array<float, 3> offset, expected;
    } cases[] = {
        {"low x wall, u = 0.25", {{-1, 0, 0}}, {0.75f, 0.5f, 0.5f}, {0.7f, 0.5f, 0.5f}},
        // u = 0.1 is set to 0.3 and pushed a further 0.2 to 0.5; the low diagonal
        // probe then finds the same wall and moves the eye 0.2 away on both axes.
        {"low x wall, u = 0.1", {{-1, 0, 0}}, {0.9f, 0.5f, 0.5f}, {0.3f, 0.7f, 0.5f}},
        {"high y wall, v = 0.75", {{0, 1, 0}}, {0.5f, 0.75f, 0.5f}, {0.5f, 0.7f, 0.5f}},
        {"high y wall, v = 0.9", {{0, 1, 0}}, {0.5f, 0.9f, 0.5f}, {0.7f, 0.3f, 0.5f}},   // 0.9 -> 0.7 -> 0.5, then the high diagonal
        // The hard pushes from both x sides cancel and no soft push acts; only
        // the first diagonal probe, which lands in the own solid cell, moves the eye.
        {"inside a solid cell", {{0, 0, 0}, {-1, 0, 0}, {1, 0, 0}}, {0.5f, 0.5f, 0.5f}, {0.3f, 0.7f, 0.5f}},
        {"corner only", {{-1, -1, 0}}, {0.9f, 0.1f, 0.5f}, {0.7f, 0.3f, 0.5f}},   // moves diagonally once
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(World, 0, VolumeSize);
        for (const auto& d : c.solid) World[CellIndex(SX + d[0], SY + d[1], SZ + d[2])] = 1;
        SetOffset(c.offset[0], c.offset[1], c.offset[2]);
        CollidePlayer(1.0f - c.offset[0], c.offset[1], 1.0f - c.offset[2]);
        for (int a = 0; a < 3; ++a) EXPECT_FLOAT_EQ(P(a), c.expected[a]) << "axis " << a;
    }
}

TEST_F(Camera, CellCrossingHandsOverToTheNeighbour) {
    SetOffset(-0.03f, 0.5f, 0.5f);
    MovePlayer(KeyDown(Key::Z));
    EXPECT_EQ(SX, 101);
    EXPECT_FLOAT_EQ(P(0), 0.97f);
    SetOffset(1.0f, 0.5f, 0.5f);   // exactly 1 stays
    MovePlayer(KeyDown(Key::Z));
    SetOffset(0.5f, 1.25f, 0.5f);
    MovePlayer(KeyDown(Key::Z));
    EXPECT_FLOAT_EQ(P(1), 0.25f);
    SetOffset(0.5f, 0.5f, 1.5f);
    MovePlayer(KeyDown(Key::Z));
    EXPECT_EQ((std::array<int, 3>{SX, SY, SZ}), (std::array<int, 3>{101, 101, 19}));
}

TEST_F(Camera, HeadBobOnlyOnTheWalkingLayers) {
    SZ = 39;
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

TEST_F(Camera, AStepCountAtTheTopOfItsRangeWalksOnWithoutAJump) {
    // A crafted save may hold any count. Walking on from the largest one
    // must neither overflow nor make the head bob jump.
    SZ = 39;
    WalkOn = 1;
    Player().stepCount = INT32_MAX;
    float bob = static_cast<float>(std::sin(static_cast<float>(Player().stepCount) / 5.0));
    for (frameCounter = 0; frameCounter < 20; frameCounter += 2) {
        int before = Player().stepCount;
        MovePlayer(KeyDown(Key::Z));
        int after = Player().stepCount;
        EXPECT_LT(after, before) << "stepped back by a whole bob period";
        EXPECT_GT(after, 0);
        float next = static_cast<float>(std::sin(static_cast<float>(after) / 5.0));
        EXPECT_LT(std::fabs(next - bob), 0.6f) << before << " -> " << after;
        bob = next;
        SetOffset(0.5f, 0.5f, 0.5f);
    }
    // Ordinary counts step by one, as before.
    Player().stepCount = 1000;
    frameCounter = 0;
    MovePlayer(KeyDown(Key::Z));
    EXPECT_EQ(Player().stepCount, 1001);
}

TEST_F(Camera, MouseLookSetsTheAnglesFromThePointer) {
    ScratchImages images;
    SetOverlaySize(320, 240);
    windowScale = 2;
    HeadlessSetPointer(20, 300);   // a 640 x 480 window: column 10, row 90
    ASSERT_EQ(OpenMainWindow(), 1);
    MouseLook(MouseX(), MouseY());
    EXPECT_EQ(Yaw, 0.0f);   // off: unchanged
    MouseLookOn = 1;
    MouseLook(MouseX(), MouseY());
    EXPECT_EQ(Yaw, 0.0f);
    EXPECT_EQ(Pitch, -90.0f);
    HeadlessSetPointer(0, 479);
    MouseLook(MouseX(), MouseY());
    EXPECT_EQ(Yaw, 20.0f);
    EXPECT_EQ(Pitch, 0.0f);
}

TEST_F(Camera, TheCursorNeverLeavesTheVolume) {
    // Walk straight at every face of the volume through open cells.
    const struct {
        float yaw, pitch;
        int sx, sy, sz;
    } walks[] = {{-90, -90, 2, 100, 20},  {90, -90, 253, 100, 20}, {0, -90, 100, 2, 20},
                 {180, -90, 100, 253, 20}, {0, -180, 100, 100, 2}, {0, 0, 100, 100, 177}};
    cycleStep = 1;
    WalkOn = 1;
    for (const auto& w : walks) {
        Yaw = w.yaw, Pitch = w.pitch;
        SX = w.sx, SY = w.sy, SZ = w.sz;
        SetOffset(0.5f, 0.5f, 0.5f);
        for (int i = 0; i < 200; ++i) {
            MovePlayer(KeyDown(Key::Z));
            ASSERT_TRUE(InsideVolume(SX, SY, SZ)) << w.yaw << " " << w.pitch << " step " << i;
            for (float o : Player().cellOffset) ASSERT_TRUE(o >= 0.0f && o <= 1.0f) << o;
        }
    }
}
