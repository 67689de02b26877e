// The generated world pinned for fixed seeds, and the overworld reader. The
// pins were taken from the generator as it stands, verified against the
// rules it implements: any change to a draw, its order or its odds, to the
// order of the passes or to the shaping shows up here as a changed digest.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/game.h"
#include "machine/random.h"
#include "core/shaping.h"
#include "game_fixture.h"
#include "world/dungeon.h"
#include "world/overworld.h"

namespace {

uint64_t Digest(const uint8_t* bytes, size_t size) {
    uint64_t h = 1469598103934665603ull;   // FNV-1a
    for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}

struct WorldPin {
    uint32_t seed;
    bool flat;                 // a missing map leaves the terrain layer zero
    int rooms[9];              // rooms on blueprint layers 140..148
    uint64_t blueprint, world, flagmap;
    uint32_t afterShaping;     // the random state once the dungeon is shaped
    uint32_t afterObjectives;  // and once the shafts and objectives are placed
    int sx, sy, total;
};

// Printed by the disabled PinsPrint below (run with --gtest_also_run_disabled_tests).
constexpr WorldPin Pins[] = {
    {1u, false, {69, 67, 66, 71, 68, 72, 70, 64, 69},
     0x888cee4cbe562043ull, 0xd60808a67720084full, 0xfa179bc196eccd01ull, 0xddc8d906u, 0x3761689fu, 63, 64, 13},
    {1u, true, {69, 67, 66, 71, 68, 72, 70, 64, 69},
     0x888cee4cbe562043ull, 0x430379ba2766c20dull, 0xfa179bc196eccd01ull, 0xddc8d906u, 0x3761689fu, 63, 64, 13},
    {4u, false, {65, 65, 67, 67, 59, 64, 63, 70, 68},
     0x2bb37a9f6181d280ull, 0x362727fabdb335eeull, 0x411f61015f977283ull, 0x61669059u, 0xf23f6cdfu, 63, 63, 4},
    {4u, true, {65, 65, 67, 67, 59, 64, 63, 70, 68},
     0x2bb37a9f6181d280ull, 0x7d2f0bafa04b38d1ull, 0xc134bc3fc341ba63ull, 0x61669059u, 0x7b43cb4cu, 63, 63, 4},
    {1234u, false, {60, 63, 62, 57, 66, 57, 69, 66, 59},
     0x761f6098b429f948ull, 0x460e81d05f062535ull, 0x1b29e3951db7e7a9ull, 0xa98eb24au, 0x4a0699feu, 66, 62, 3},
    {1234u, true, {60, 63, 62, 57, 66, 57, 69, 66, 59},
     0x761f6098b429f948ull, 0x43550eb14d4906a2ull, 0x1b29e3951db7e7a9ull, 0xa98eb24au, 0x4a0699feu, 66, 62, 3},
    {99991u, false, {59, 70, 73, 69, 63, 67, 68, 64, 62},
     0xbdda41c2af9ba1fdull, 0x47590b4011c28695ull, 0x8d4c4f4350fda259ull, 0xe8ef1c44u, 0x875bbcdcu, 63, 63, 7},
    {99991u, true, {59, 70, 73, 69, 63, 67, 68, 64, 62},
     0xbdda41c2af9ba1fdull, 0xbeef84fa796fcf33ull, 0x8d4c4f4350fda259ull, 0xe8ef1c44u, 0x875bbcdcu, 63, 63, 7},
};

class WorldPins : public GameFixture {
protected:
    // Builds the world of this seed on the default terrain (the run folder's
    // map 1) or a flat one, as start-up does.
    static void Build(uint32_t seed, bool flat, uint32_t* afterShaping) {
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        if (!flat) {
            Bytes map = ReadBytes(std::string(RUN_DIR) + "/map/1.overworld");
            ASSERT_EQ(map.size(), size_t(PlaneSize));
            std::memcpy(World, map.data(), PlaneSize);
        }
        // BuildWorld, with a look at the random state between shaping and the shafts.
        HeadlessOnPause(nullptr);
        SRand(seed);
        FreeGeneratorBuffers();
        AllocGeneratorBuffers();
        GenerateDungeon(128, 128, 140, 9, 32, 400);
        ShapeWorld();
        *afterShaping = randomState;
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        if (!flat) std::memcpy(World, ReadBytes(std::string(RUN_DIR) + "/map/1.overworld").data(), PlaneSize);
        BuildWorld(seed);
    }
};

TEST_F(WorldPins, GeneratorAndShapingGiveThePinnedWorld) {
    for (const WorldPin& pin : Pins) {
        SCOPED_TRACE("seed " + std::to_string(pin.seed) + (pin.flat ? " flat" : " default terrain"));
        uint32_t afterShaping = 0;
        Build(pin.seed, pin.flat, &afterShaping);
        for (int v = 0; v < 9; ++v) EXPECT_EQ(LayerRoomEnd[140 + v] - LayerRoomStart[140 + v], pin.rooms[v]) << "layer " << 140 + v;
        EXPECT_EQ(Digest(World + size_t(140) * PlaneSize, size_t(9) * PlaneSize), pin.blueprint);
        EXPECT_EQ(Digest(World, VolumeSize), pin.world);
        EXPECT_EQ(Digest(Flagmap, VolumeSize), pin.flagmap);
        EXPECT_EQ(afterShaping, pin.afterShaping);
        EXPECT_EQ(randomState, pin.afterObjectives);
        EXPECT_EQ(SX, pin.sx);
        EXPECT_EQ(SY, pin.sy);
        EXPECT_EQ(objectivesTotal, pin.total);
    }
}

TEST_F(WorldPins, DISABLED_PinsPrint) {
    for (uint32_t seed : {1u, 4u, 1234u, 99991u})
        for (bool flat : {false, true}) {
            uint32_t afterShaping = 0;
            Build(seed, flat, &afterShaping);
            std::printf("    {%uu, %s, {", seed, flat ? "true" : "false");
            for (int v = 0; v < 9; ++v) std::printf("%s%d", v ? ", " : "", LayerRoomEnd[140 + v] - LayerRoomStart[140 + v]);
            std::printf("},\n     0x%016llxull, 0x%016llxull, 0x%016llxull, 0x%08xu, 0x%08xu, %d, %d, %d},\n",
                        (unsigned long long)Digest(World + size_t(140) * PlaneSize, size_t(9) * PlaneSize),
                        (unsigned long long)Digest(World, VolumeSize), (unsigned long long)Digest(Flagmap, VolumeSize),
                        afterShaping, randomState, SX, SY, objectivesTotal);
        }
}

using Overworld = GameFixture;

TEST_F(Overworld, ReadsTheFirstPlaneIntoLayerZeroAndPausesOneSecond) {
    // A long file: the first 65,536 bytes only; layer 1 stays.
    Bytes file(PlaneSize + 500);
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 31 + 7);
    WriteBytes("map/1.overworld", file);
    std::memset(World, 0xEE, size_t(2) * PlaneSize);
    LoadOverworld(1);
    EXPECT_TRUE(std::equal(World, World + PlaneSize, file.begin()));
    for (int i = 0; i < PlaneSize; ++i) ASSERT_EQ(World[PlaneSize + i], 0xEE) << i;
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{1000});

    // A short file fills only what it holds; the rest of the layer is kept.
    WriteBytes("map/2.overworld", Bytes(300, 10));
    HeadlessPauses().clear();
    LoadOverworld(2);
    for (int i = 0; i < PlaneSize; ++i) ASSERT_EQ(World[i], i < 300 ? 10 : file[i]) << i;
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{1000});

    // A missing file is created empty, reads nothing and still pauses.
    HeadlessPauses().clear();
    LoadOverworld(3);
    EXPECT_TRUE(std::filesystem::exists("map/3.overworld"));
    EXPECT_EQ(std::filesystem::file_size("map/3.overworld"), 0u);
    for (int i = 0; i < PlaneSize; ++i) ASSERT_EQ(World[i], i < 300 ? 10 : file[i]) << i;
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{1000});

    // Without the map folder nothing is read, created, or waited for.
    std::filesystem::remove_all("map");
    HeadlessPauses().clear();
    LoadOverworld(1);
    EXPECT_FALSE(std::filesystem::exists("map"));
    EXPECT_TRUE(HeadlessPauses().empty());
    EXPECT_EQ(World[0], 10);
}

}  // namespace
