// The world shaping passes: surface, carving, shafts and objectives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "core/game.h"
#include "machine/random.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "world/volume.h"

class Shaping : public ::testing::Test {
protected:
    void SetUp() override {
        World = static_cast<uint8_t*>(std::calloc(VolumeSize, 1));
        Flagmap = static_cast<uint8_t*>(std::calloc(VolumeSize, 1));
        UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCount, sizeof(UnitRecord)));
    }
    void TearDown() override {
        FreeGeneratorBuffers();
        std::free(World);
        std::free(Flagmap);
        std::free(UnitTable);
        World = Flagmap = nullptr;
        UnitTable = nullptr;
    }
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
    // Level 1 (v = 1) is cut into layers 30 and 31.
    for (int z : {30, 31})
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(At(20 + dx, 40 + dy, z), 0) << z;
    EXPECT_EQ(At(20, 40, 32), 1);
    EXPECT_EQ(At(22, 40, 31), 1);
    // A stair head (v = 4) empties layers 39, 40 and 41.
    for (int z : {39, 40, 41}) EXPECT_EQ(At(22, 40, z), 0) << z;
    EXPECT_EQ(At(22, 40, 42), 1);
    EXPECT_EQ(At(22, 40, 38), 1);
    // Any mark but rock is open space.
    EXPECT_EQ(At(4, 4, 54), 0);
    EXPECT_EQ(At(5, 5, 55), 0);
    EXPECT_EQ(At(4, 4, 56), 1);
    // Count every opened cell below the surface: exactly the cells above.
    int open = 0;
    for (int z = 32; z <= 138; ++z)
        for (int i = 0; i < PlaneSize; ++i) open += World[z * PlaneSize + i] == 0;
    EXPECT_EQ(open, 4 * 3 + 4 * 2);   // the stair column below level 1, and level 9's two layers
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

TEST_F(Shaping, ObjectivesLandOnDistinctEmptyCells) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        SolidPlan();
        ShapeWorld();
        SRand(seed);
        ObjectivePass();
        EXPECT_TRUE(objectivesTotal >= 0 && objectivesTotal <= 20) << objectivesTotal;
        int flags = 0;
        for (int i = 0; i < VolumeSize; ++i) {
            if (Flagmap[i] == 0) continue;
            ASSERT_EQ(Flagmap[i], ObjectiveFlag);
            ASSERT_EQ(World[i], 0);
            ASSERT_EQ(i % 61, 0);
            ASSERT_LE(i / PlaneSize, 30);
            ++flags;
        }
        EXPECT_EQ(flags, objectivesTotal) << "seed " << seed;
        EXPECT_EQ(objectivesFound, 0);
    }
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
        std::memset(Flagmap, 0, VolumeSize);
        SRand(seed);
        ObjectivePass();
        EXPECT_EQ(objectivesTotal, total);
        EXPECT_EQ(Flagmap[61 * 1100], ObjectiveFlag);
        EXPECT_EQ(Flagmap[61 * 32767], ObjectiveFlag);
        int flags = 0;
        for (int i = 0; i < VolumeSize; ++i) flags += Flagmap[i] != 0;
        EXPECT_EQ(flags, 2);
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

TEST_F(Shaping, ObjectivesAvoidTheTerrainLayerAndTheBorder) {
    // In an empty volume every drawn cell is open, so only the rule about
    // unreachable cells can spend a draw: layer 0 and the border rows and
    // columns are never drawn by the renderer nor stood in by the player.
    int placedInAll = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::memset(Flagmap, 0, VolumeSize);
        SRand(seed);
        ObjectivePass();
        int placed = 0;
        for (int i = 0; i < VolumeSize; ++i) {
            if (Flagmap[i] == 0) continue;
            int x = i % WorldSide, y = i / WorldSide % WorldSide, z = i / PlaneSize;
            ASSERT_TRUE(z >= 1 && x >= 1 && x <= 254 && y >= 1 && y <= 254) << x << "," << y << "," << z << " seed " << seed;
            ++placed;
        }
        EXPECT_EQ(placed, objectivesTotal) << "seed " << seed;
        placedInAll += placed;
    }
    EXPECT_GT(placedInAll, 300);
}

TEST_F(Shaping, BuildWorldPutsThePlayerAtTheStart) {
    for (uint32_t seed : {1234u, 1u, 4u}) {   // starts in a room, and in rock twice
        std::memset(World, 0, VolumeSize);
        BuildWorld(seed);
        EXPECT_EQ(SZ, 39);
        EXPECT_EQ(At(SX, SY, SZ), 0) << seed;
        if (At(64, 64, 39) == 0) {
            EXPECT_EQ(std::pair(SX, SY), std::pair(64, 64));
        } else {
            // A start in rock moves to the nearest open cell of the layer.
            int distance = std::max(std::abs(SX - 64), std::abs(SY - 64));
            for (int y = 64 - distance + 1; y < 64 + distance; ++y)
                for (int x = 64 - distance + 1; x < 64 + distance; ++x) EXPECT_NE(At(x, y, 39), 0) << x << "," << y;
        }
        EXPECT_EQ(std::tuple(Player().cellX, Player().cellY, Player().cellZ), std::tuple(SX, SY, 39));
        EXPECT_EQ(MVD, 6);
        EXPECT_EQ(frameCounter, 0);
    }
    // The plan stays in its blueprint layers beside the carved dungeon.
    EXPECT_NE(At(128, 128, 140), Rock);
    EXPECT_NE(At(128, 128, 140), 0);
    EXPECT_EQ(At(2 * (128 - 110), 2 * (128 - 110), 30), 0);
    // Same seed, same world.
    std::vector<uint8_t> first(World, World + VolumeSize);
    std::memset(World, 0, VolumeSize);
    BuildWorld(4);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), World));
}
