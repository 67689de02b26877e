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
    // One move from the cell's centre in frame 0, a step frame (0 % cycleStep == 0), by 0.1 / cycleStep.
    const struct { const char* why; float yaw, pitch; int walk; bool back; Offsets to; int steps; } walks[] = {
        {"level: toward smaller y", 0, -90, 1, false, {0.5f, 0.45f, 0.5f}, 1},
        {"yaw 90 walks toward larger x, which lowers px", 90, -90, 1, false, {0.45f, 0.5f, 0.5f}, 1},
        {"pitch 0 walks straight down: larger z, pz falls", 0, 0, 1, false, {0.5f, 0.5f, 0.45f}, 1},
        {"forward and back cancel, and so do their steps", 0, 0, 1, true, {0.5f, 0.5f, 0.5f}, 0},
        {"Z alone walks back", 0, 0, 0, true, {0.5f, 0.5f, 0.55f}, -1},
    };
    for (const auto& w : walks) {
        SCOPED_TRACE(w.why);
        Yaw = w.yaw, Pitch = w.pitch, WalkOn = w.walk;
        Set({0.5f, 0.5f, 0.5f});
        Player().stepCount = 0;
        MovePlayer(w.back);
        ExpectOffsets(w.to);
        EXPECT_EQ(Player().stepCount, w.steps);
    }
    // A step is counted in every cycleStep-th frame only.
    frameCounter = 1;
    WalkOn = 1;
    MovePlayer(false);
    EXPECT_EQ(Player().stepCount, -1);
}

TEST_F(Camera, PushesKeepTheEyeAwayFromSolidCellsThenItCrossesIntoTheNeighbour) {
    // One move without walking from the cursor cell Here.
    constexpr std::array<int, 3> Here{100, 100, 20};
    const struct {
        const char* what;
        std::vector<std::array<int, 3>> solid;   // relative to the cursor cell
        Offsets offset;
        std::array<int, 3> cell;
        Offsets expected;
    } cases[] = {
        {"low x wall, u = 0.25", {{-1, 0, 0}}, {0.75f, 0.5f, 0.5f}, Here, {0.7f, 0.5f, 0.5f}},
        // u = 0.1 is set to 0.3 and pushed a further 0.2 to 0.5; the low diagonal
        // probe then finds the same wall and moves the eye 0.2 away on both axes.
        {"low x wall, u = 0.1", {{-1, 0, 0}}, {0.9f, 0.5f, 0.5f}, Here, {0.3f, 0.7f, 0.5f}},
        {"high y wall, v = 0.75", {{0, 1, 0}}, {0.5f, 0.75f, 0.5f}, Here, {0.5f, 0.7f, 0.5f}},
        {"high y wall, v = 0.9", {{0, 1, 0}}, {0.5f, 0.9f, 0.5f}, Here, {0.7f, 0.3f, 0.5f}},   // 0.9 -> 0.7 -> 0.5, then the high diagonal
        // The hard pushes from both x sides cancel and no soft push acts; only
        // the first diagonal probe, which lands in the own solid cell, moves the eye.
        {"inside a solid cell", {{0, 0, 0}, {-1, 0, 0}, {1, 0, 0}}, {0.5f, 0.5f, 0.5f}, Here, {0.3f, 0.7f, 0.5f}},
        {"corner only", {{-1, -1, 0}}, {0.9f, 0.1f, 0.5f}, Here, {0.7f, 0.3f, 0.5f}},   // moves diagonally once
        {"solid below, w = 0.9", {{0, 0, 1}}, {0.5f, 0.5f, 0.1f}, Here, {0.5f, 0.5f, 0.5f}},   // 0.1 -> 0.3 -> 0.5
        // Offsets past 0..1 hand the eye over to the neighbour; exactly 1 stays.
        {"across x", {}, {-0.03f, 0.5f, 0.5f}, {101, 100, 20}, {0.97f, 0.5f, 0.5f}},
        {"px exactly 1", {}, {1.0f, 0.5f, 0.5f}, Here, {1.0f, 0.5f, 0.5f}},
        {"across y", {}, {0.5f, 1.25f, 0.5f}, {100, 101, 20}, {0.5f, 0.25f, 0.5f}},
        {"across z", {}, {0.5f, 0.5f, 1.5f}, {100, 100, 19}, {0.5f, 0.5f, 0.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SX = Here[0], SY = Here[1], SZ = Here[2];
        std::memset(World, 0, VolumeSize);
        for (const auto& d : c.solid) World[CellIndex(SX + d[0], SY + d[1], SZ + d[2])] = 1;
        Set(c.offset);
        MovePlayer(false);
        EXPECT_EQ((std::array<int, 3>{SX, SY, SZ}), c.cell);
        ExpectOffsets(c.expected);
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
        MovePlayer(false);
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
