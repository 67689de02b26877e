// The shaping rules that the world pins cannot show: objectives only where
// the player can find them, and the start moved out of rock. The surface,
// the carving and the shafts are the pins' (their worlds are fixed).
#include <algorithm>
#include <tuple>

#include "game_fixture.h"
#include "machine/random.h"

class Shaping : public GameFixture {
protected:
    static uint8_t At(int x, int y, int z) { return World[CellIndex(x, y, z)]; }
};

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
