// The walk, the push away from solid cells, the head bob, the cell crossing
// and the mouse look, with the figures a player's motion depends on.
#include <array>
#include <cmath>
#include <vector>

#include "game_fixture.h"
#include "platform/input.h"

using Offsets = std::array<float, 3>;

class Camera : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;
        Pitch = -90.0f;   // level, yaw 0: looking toward smaller y
        Set({0.5f, 0.5f, 0.5f});
    }
    static void Set(const Offsets& o) { std::copy(o.begin(), o.end(), Player().cellOffset); }
    static float P(int axis) { return Player().cellOffset[axis]; }
    // Each offset against the expected one, the axis named.
    static void ExpectOffsets(const Offsets& expected) {
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(P(a), expected[a], 1e-6f) << "axis " << a;
    }
};

TEST_F(Camera, WalkMovesAlongTheLineOfSightAndZWalksBack) {
    const struct { float yaw, pitch; Offsets to; } walks[] = {
        {0, -90, {0.5f, 0.45f, 0.5f}},   // level: toward smaller y, by 0.1 / cycleStep
        {90, -90, {0.45f, 0.5f, 0.5f}},  // yaw 90 walks toward larger x, which lowers px
        {0, 0, {0.5f, 0.5f, 0.45f}},     // pitch 0 walks straight down: larger z, pz falls
    };
    WalkOn = 1;
    for (const auto& w : walks) {
        SCOPED_TRACE(testing::Message() << "yaw " << w.yaw << " pitch " << w.pitch);
        Yaw = w.yaw, Pitch = w.pitch;
        Set({0.5f, 0.5f, 0.5f});
        MovePlayer(KeyDown(Key::Z));
        ExpectOffsets(w.to);
    }
    // A step is counted in every cycleStep-th frame only.
    EXPECT_EQ(Player().stepCount, 3);   // frame 0: 0 % 2 == 0
    frameCounter = 1;
    MovePlayer(KeyDown(Key::Z));
    EXPECT_EQ(Player().stepCount, 3);

    // Walking forward and back in one frame cancel, and so do their steps.
    frameCounter = 0;
    HeadlessSetKey(Key::Z, true);
    Set({0.5f, 0.5f, 0.5f});
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
        Offsets offset, expected;
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
        {"solid below, w = 0.9", {{0, 0, 1}}, {0.5f, 0.5f, 0.1f}, {0.5f, 0.5f, 0.5f}},   // 0.1 -> 0.3 -> 0.5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(World, 0, VolumeSize);
        for (const auto& d : c.solid) World[CellIndex(SX + d[0], SY + d[1], SZ + d[2])] = 1;
        Set(c.offset);
        CollidePlayer(1.0f - c.offset[0], c.offset[1], 1.0f - c.offset[2]);
        ExpectOffsets(c.expected);
    }
}

TEST_F(Camera, CellCrossingHandsOverToTheNeighbour) {
    const struct { Offsets from; std::array<int, 3> cell; Offsets to; } cases[] = {
        {{-0.03f, 0.5f, 0.5f}, {101, 100, 20}, {0.97f, 0.5f, 0.5f}},
        {{1.0f, 0.5f, 0.5f}, {100, 100, 20}, {1.0f, 0.5f, 0.5f}},   // exactly 1 stays
        {{0.5f, 1.25f, 0.5f}, {100, 101, 20}, {0.5f, 0.25f, 0.5f}},
        {{0.5f, 0.5f, 1.5f}, {100, 100, 19}, {0.5f, 0.5f, 0.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from[0] << "," << c.from[1] << "," << c.from[2]);
        SX = 100, SY = 100, SZ = 20;
        Set(c.from);
        MovePlayer(KeyDown(Key::Z));
        EXPECT_EQ((std::array<int, 3>{SX, SY, SZ}), c.cell);
        ExpectOffsets(c.to);
    }
}

TEST_F(Camera, HeadBobOnlyOnTheWalkingLayers) {
    // Layer 39 and every third one down bob at 0.54 + 0.05 sin(stepCount / 5); the others keep pz.
    const struct { int z, steps; float pz; } cases[] = {
        {39, 0, 0.54f}, {39, 10, 0.54f + 0.05f * static_cast<float>(std::sin(2.0))}, {42, 0, 0.54f}, {40, 0, 0.2f}, {36, 0, 0.2f}};
    for (const auto& c : cases) {
        SZ = c.z, Player().stepCount = c.steps;
        Set({0.5f, 0.5f, 0.2f});
        CollidePlayer(0.5f, 0.5f, 0.8f);
        EXPECT_FLOAT_EQ(P(2), c.pz) << "layer " << c.z << " step " << c.steps;
    }
}

TEST_F(Camera, AStepCountAtTheTopOfItsRangeWalksOnWithoutAJump) {
    // A crafted save may hold any count. Walking on from the largest one
    // must neither overflow nor make the head bob jump.
    SZ = 39;
    WalkOn = 1;
    Player().stepCount = INT32_MAX;
    const auto bob = [] { return static_cast<float>(std::sin(static_cast<float>(Player().stepCount) / 5.0)); };
    for (frameCounter = 0; frameCounter < 20; frameCounter += 2) {
        const int before = Player().stepCount;
        const float bobBefore = bob();
        MovePlayer(KeyDown(Key::Z));
        EXPECT_TRUE(Player().stepCount < before && Player().stepCount > 0) << "not stepped back by a whole bob period";
        EXPECT_LT(std::fabs(bob() - bobBefore), 0.6f) << before << " -> " << Player().stepCount;
    }
}

TEST_F(Camera, MouseLookSetsTheAnglesFromThePointer) {
    // Pointer in a 640 x 480 window, y down; look on; yaw and pitch after.
    const struct { int px, py, on; float yaw, pitch; } cases[] = {
        {20, 300, 0, 0.0f, -90.0f},   // off: unchanged
        {20, 300, 1, 0.0f, -90.0f},   // column 10, row 90
        {0, 479, 1, 20.0f, 0.0f},     // column 0, row 0
    };
    for (const auto& c : cases) {
        HeadlessSetPointer(c.px, c.py);
        MouseLookOn = c.on;
        MouseLook(MouseX(), MouseY());
        EXPECT_EQ(std::pair(Yaw, Pitch), std::pair(c.yaw, c.pitch)) << c.px << "," << c.py;
    }
}

TEST_F(Camera, TheCursorNeverLeavesTheVolume) {
    // Walk straight at every face of the volume through open cells.
    const struct { float yaw, pitch; int sx, sy, sz; } walks[] = {
        {-90, -90, 2, 100, 20}, {90, -90, 253, 100, 20}, {0, -90, 100, 2, 20},
        {180, -90, 100, 253, 20}, {0, -180, 100, 100, 2}, {0, 0, 100, 100, 177}};
    cycleStep = 1;
    WalkOn = 1;
    for (const auto& w : walks) {
        Yaw = w.yaw, Pitch = w.pitch;
        SX = w.sx, SY = w.sy, SZ = w.sz;
        Set({0.5f, 0.5f, 0.5f});
        for (int i = 0; i < 200; ++i) {
            MovePlayer(KeyDown(Key::Z));
            ASSERT_TRUE(InsideVolume(SX, SY, SZ)) << w.yaw << " " << w.pitch << " step " << i;
            for (float o : Player().cellOffset) ASSERT_TRUE(o >= 0.0f && o <= 1.0f) << o;
        }
    }
}
