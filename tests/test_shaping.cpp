// The world shaping passes: surface, carving, shafts and objectives.
#include <algorithm>
#include <tuple>
#include <vector>

#include "game_fixture.h"
#include "machine/random.h"

class Shaping : public GameFixture {
protected:
    static uint8_t At(int x, int y, int z) { return World[CellIndex(x, y, z)]; }
    // Lays solid rock over the blueprint square of layers 140..148.
    static void SolidPlan() {
        for (int z = 140; z <= 148; ++z)
            for (int y = 112; y <= 144; ++y)
                for (int x = 112; x <= 144; ++x) World[CellIndex(x, y, z)] = Rock;
    }
};

TEST_F(Shaping, SurfaceFollowsTheTerrainLayer) {
    const uint8_t terrain[] = {9, 10, 11, 18, 19, 255};   // in columns x = 1..6 of row 0
    for (int x = 1; x <= 6; ++x) World[CellIndex(x, 0, 0)] = terrain[x - 1];
    SolidPlan();
    ShapeWorld();
    const struct { int x, z; uint8_t cell; } expected[] = {
        {1, 31, 1}, {1, 30, 0},   // low ground: the rock of layer 31
        {2, 31, 3},               // dirt
        {3, 30, 2}, {4, 30, 2},   // grass
        {5, 29, 1}, {5, 30, 0},   // raised rock with open air under it
        {6, 29, 1},
    };
    for (const auto& e : expected) EXPECT_EQ(At(e.x, 0, e.z), e.cell) << e.x << "," << e.z;
    for (int z = 1; z <= 28; ++z) EXPECT_EQ(At(5, 0, z), 0);
    for (int z = 32; z <= 138; ++z) ASSERT_EQ(At(200, 200, z), 1);
    EXPECT_EQ(At(200, 200, 139), 0);
    EXPECT_EQ(At(200, 200, 149), 0);
    EXPECT_EQ(At(1, 0, 0), 9);   // the terrain layer itself stays
}

TEST_F(Shaping, CarvesThePlanAtDoubleScale) {
    SolidPlan();
    World[CellIndex(120, 130, 140)] = Floor;        // level 1
    World[CellIndex(121, 130, 143)] = StairHead;    // level 4: opens the layer below too
    World[CellIndex(112, 112, 148)] = Chest;        // level 9, the plan's corner
    ShapeWorld();
    // The open 2 x 2 columns: level 1 (v = 1) in layers 30 and 31, the stair
    // head (v = 4) in 39, 40 and 41; any mark but rock is open space.
    const struct { int x, y, z0, z1; } open[] = {{20, 40, 30, 31}, {22, 40, 39, 41}, {4, 4, 54, 55}};
    for (const auto& o : open) {
        SCOPED_TRACE(testing::Message() << "column at " << o.x << "," << o.y);
        for (int z = o.z0; z <= o.z1; ++z)
            for (int d = 0; d < 4; ++d) EXPECT_EQ(At(o.x + d % 2, o.y + d / 2, z), 0) << z;
        EXPECT_EQ(At(o.x, o.y, o.z1 + 1), 1);
        EXPECT_EQ(At(o.x + 2, o.y, o.z1), 1);
    }
    EXPECT_EQ(At(22, 40, 38), 1);
    // Count every opened cell below the surface: exactly the cells above.
    int opened = 0;
    for (int z = 32; z <= 138; ++z)
        for (int i = 0; i < PlaneSize; ++i) opened += World[z * PlaneSize + i] == 0;
    EXPECT_EQ(opened, 4 * 3 + 4 * 2);   // the stair column below level 1, and level 9's two layers
}

TEST_F(Shaping, ShaftsSinkOnlyWhereLayer39IsOpen) {
    SolidPlan();
    ShapeWorld();
    // Open a 40 x 40 block of layer 39 around a grid of single pillars, so that
    // many draws land on squares with exactly one solid cell, in each corner.
    for (int y = 20; y < 60; ++y)
        for (int x = 20; x < 60; ++x) World[CellIndex(x, y, 39)] = x % 3 == 0 && y % 3 == 0;
    auto open = [](int x, int y) { return At(x, y, 39) == 0 && At(x + 1, y, 39) == 0 && At(x, y + 1, 39) == 0 && At(x + 1, y + 1, 39) == 0; };
    // Replay the draws, x then y, each rand % 128; a shaft under an open 2 x 2 square empties layers 28..38.
    std::vector<bool> shaft(130 * 130);
    SRand(99);
    int shafts = 0;
    for (int i = 0; i < 1000; ++i) {
        const int x = Rand() % 128, y = Rand() % 128;
        if (!open(x, y)) continue;
        ++shafts;
        for (int d = 0; d < 4; ++d) shaft[(y + d / 2) * 130 + x + d % 2] = true;
    }
    ASSERT_GT(shafts, 20);
    SRand(99);
    ShaftPass();
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 130; ++x)
            for (int z = 28; z <= 38; ++z)   // elsewhere the sky (below 31) and the rock stay
                ASSERT_EQ(At(x, y, z), shaft[y * 130 + x] || z < 31 ? 0 : 1) << x << "," << y << "," << z;
}

TEST_F(Shaping, ObjectivesLandOnDistinctEmptyCellsOfTheSky) {
    SolidPlan();
    ShapeWorld();
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::memset(Flagmap, 0, VolumeSize);
        SRand(seed);
        ObjectivePass();
        EXPECT_TRUE(objectivesTotal >= 0 && objectivesTotal <= 20) << objectivesTotal;
        int placed = 0;
        for (int i = 0; i < VolumeSize; ++i) {
            if (Flagmap[i] == 0) continue;
            ASSERT_TRUE(Flagmap[i] == ObjectiveFlag && World[i] == 0 && i % 61 == 0 && i / PlaneSize <= 30) << i << " seed " << seed;
            ++placed;
        }
        EXPECT_EQ(placed, objectivesTotal) << "seed " << seed;
        EXPECT_EQ(objectivesFound, 0);
    }
}

TEST_F(Shaping, ObjectivesAvoidTheTerrainLayerAndTheBorder) {
    // The only empty cells are those the player can never reach or see, which
    // the renderer never draws: layer 0 and the border rows and columns.
    std::memset(World, 1, VolumeSize);
    std::memset(World, 0, PlaneSize);
    for (int z = 1; z < WorldLayers; ++z)
        for (int i = 0; i < WorldSide; ++i)
            for (int cell : {CellIndex(i, 0, z), CellIndex(i, 255, z), CellIndex(0, i, z), CellIndex(255, i, z)}) World[cell] = 0;
    SRand(7);
    ObjectivePass();
    ASSERT_GT(objectivesTotal, 0);
    EXPECT_EQ(std::count(Flagmap, Flagmap + VolumeSize, 0), VolumeSize) << "an objective where nobody finds it";
}

TEST_F(Shaping, ObjectivePassNeverCountsACellTwice) {
    // Only two reachable cells are empty: every further draw must be spent.
    std::memset(World, 1, VolumeSize);
    World[61 * 1100] = 0;
    World[61 * 32767] = 0;
    for (uint32_t seed = 1; seed < 200; ++seed) {
        SRand(seed);
        int total = Rand() % 21;
        if (total < 3) continue;
        SRand(seed);
        ObjectivePass();
        EXPECT_EQ(objectivesTotal, total);
        EXPECT_EQ(Flagmap[61 * 1100], ObjectiveFlag);
        EXPECT_EQ(Flagmap[61 * 32767], ObjectiveFlag);
        EXPECT_EQ(std::count(Flagmap, Flagmap + VolumeSize, 0), VolumeSize - 2);
        // A second hit on a placed cell is spent, not counted: the pass never
        // reaches its total and makes every one of its 1,000,002 draws.
        const uint32_t after = randomState;
        SRand(seed);
        for (int draw = 0; draw < 1 + 1000002; ++draw) Rand();
        EXPECT_EQ(after, randomState);
        return;
    }
    FAIL() << "no seed drew three or more objectives";
}

TEST_F(Shaping, BuildWorldPutsThePlayerAtTheStart) {
    for (uint32_t seed : {1234u, 1u, 4u}) {   // starts in a room, and in rock twice
        SCOPED_TRACE(seed);
        std::memset(World, 0, VolumeSize);
        BuildWorld(seed);
        EXPECT_EQ(At(SX, SY, SZ), 0);
        if (At(64, 64, 39) == 0) {
            EXPECT_EQ(std::pair(SX, SY), std::pair(64, 64));
        }
        // A start in rock moves to the nearest open cell of the layer.
        const int distance = std::max(std::abs(SX - 64), std::abs(SY - 64));
        for (int y = 64 - distance + 1; y < 64 + distance; ++y)
            for (int x = 64 - distance + 1; x < 64 + distance; ++x) EXPECT_NE(At(x, y, 39), 0) << x << "," << y;
        EXPECT_EQ(std::tuple(Player().cellX, Player().cellY, Player().cellZ, SZ), std::tuple(SX, SY, 39, 39));
        EXPECT_EQ(std::pair(MVD, frameCounter), std::pair(6, 0));
    }
    // The plan stays in its blueprint layers beside the carved dungeon.
    EXPECT_NE(At(128, 128, 140), Rock);
    EXPECT_NE(At(128, 128, 140), 0);
    EXPECT_EQ(At(2 * (128 - 110), 2 * (128 - 110), 30), 0);
}
