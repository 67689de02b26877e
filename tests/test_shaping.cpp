// The world shaping passes: surface, carving and objectives (the shafts, a
// replay of their own draws, are left to the world pins).
#include <algorithm>
#include <tuple>

#include "game_fixture.h"
#include "machine/random.h"

class Shaping : public GameFixture {
protected:
    static uint8_t At(int x, int y, int z) { return World[CellIndex(x, y, z)]; }
};

TEST_F(Shaping, SurfaceFollowsTheTerrainLayerAndThePlanIsCarvedAtDoubleScale) {
    const uint8_t terrain[] = {9, 10, 11, 18, 19, 255};   // in columns x = 1..6 of row 0
    for (int x = 1; x <= 6; ++x) World[CellIndex(x, 0, 0)] = terrain[x - 1];
    // Solid rock over the blueprint square of layers 140..148, and three marks in it.
    for (int z = 140; z <= 148; ++z)
        for (int y = 112; y <= 144; ++y)
            for (int x = 112; x <= 144; ++x) World[CellIndex(x, y, z)] = Rock;
    World[CellIndex(120, 130, 140)] = Floor;        // level 1
    World[CellIndex(121, 130, 143)] = StairHead;    // level 4: opens the layer below too
    World[CellIndex(112, 112, 148)] = Chest;        // level 9, the plan's corner
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
    EXPECT_EQ(At(200, 200, 139), 0);
    EXPECT_EQ(At(200, 200, 149), 0);
    EXPECT_EQ(At(1, 0, 0), 9);   // the terrain layer itself stays
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
    // Layers 32..138 are rock but for exactly the cells opened above.
    int opened = 0;
    for (int z = 32; z <= 138; ++z)
        for (int i = 0; i < PlaneSize; ++i) opened += World[z * PlaneSize + i] != 1;
    EXPECT_EQ(opened, 4 * 3 + 4 * 2);   // the stair column below level 1, and level 9's two layers
}

TEST_F(Shaping, ObjectivesLandOnceEachOnFindableEmptyCells) {
    // Rock everywhere but the cells the player can never reach or see (layer 0
    // and the border rows and columns, which the renderer never draws) and two
    // findable ones: only those two may be flagged, and as the pass can never
    // reach its total it must spend every one of its 1,000,002 draws.
    std::memset(World, 1, VolumeSize);
    std::memset(World, 0, PlaneSize);
    for (int z = 1; z < WorldLayers; ++z)
        for (int i = 0; i < WorldSide; ++i)
            for (int cell : {CellIndex(i, 0, z), CellIndex(i, 255, z), CellIndex(0, i, z), CellIndex(255, i, z)}) World[cell] = 0;
    World[61 * 1100] = 0;
    World[61 * 32767] = 0;
    for (uint32_t seed = 1; seed < 200; ++seed) {
        SRand(seed);
        int total = Rand() % 21;
        if (total < 3) continue;
        SRand(seed);
        objectivesFound = 5;
        ObjectivePass();
        EXPECT_EQ(std::pair(objectivesTotal, objectivesFound), std::pair(total, 0));
        EXPECT_EQ(Flagmap[61 * 1100], ObjectiveFlag);
        EXPECT_EQ(Flagmap[61 * 32767], ObjectiveFlag);
        EXPECT_EQ(std::count(Flagmap, Flagmap + VolumeSize, 0), VolumeSize - 2) << "an objective where nobody finds it";
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
        // The start stays at (64, 64) when open, else moves to the nearest open cell of the layer.
        EXPECT_EQ(At(SX, SY, SZ), 0);
        const int distance = std::max(std::abs(SX - 64), std::abs(SY - 64));
        for (int y = 64 - distance + 1; y < 64 + distance; ++y)
            for (int x = 64 - distance + 1; x < 64 + distance; ++x) EXPECT_NE(At(x, y, 39), 0) << x << "," << y;
        EXPECT_EQ(std::tuple(Player().cellX, Player().cellY, Player().cellZ, SZ), std::tuple(SX, SY, 39, 39));
        EXPECT_EQ(std::pair(MVD, frameCounter), std::pair(6, 0));
    }
}
