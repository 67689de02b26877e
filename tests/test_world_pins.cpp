// The generated world pinned for fixed seeds, and the overworld reader. A
// seed's world is exactly the one the game must build: the rooms of every
// layer, their doorways and stairs, the surface, the carving, the shafts and
// the objectives. Any change to a draw, its order or its odds, to the order
// of the passes or to the shaping changes a pin. The pins were taken once the
// generator's rules had been checked one by one (a tree of rooms on every
// layer joined by stairs, the surface's bands, the carving at double scale).
// A failing pin prints the world's line as it now is, in the form of Pins below.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/shaping.h"
#include "game_fixture.h"
#include "machine/random.h"
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
    bool flat;                   // a missing map leaves the terrain layer zero
    int rooms[9];                // rooms on blueprint layers 140..148
    uint64_t blueprint, world, flagmap;
    uint32_t randomState;        // once the shafts and objectives are placed
    int sx, sy, total;
};

constexpr WorldPin Pins[] = {
    {1u, false, {69, 67, 66, 71, 68, 72, 70, 64, 69},
     0x888cee4cbe562043ull, 0xd60808a67720084full, 0xfa179bc196eccd01ull, 0x3761689fu, 63, 64, 13},
    {4u, true, {65, 65, 67, 67, 59, 64, 63, 70, 68},
     0x2bb37a9f6181d280ull, 0x7d2f0bafa04b38d1ull, 0xc134bc3fc341ba63ull, 0x7b43cb4cu, 63, 63, 4},
    {1234u, false, {60, 63, 62, 57, 66, 57, 69, 66, 59},
     0x761f6098b429f948ull, 0x460e81d05f062535ull, 0x1b29e3951db7e7a9ull, 0x4a0699feu, 66, 62, 3},
    {99991u, true, {59, 70, 73, 69, 63, 67, 68, 64, 62},
     0xbdda41c2af9ba1fdull, 0xbeef84fa796fcf33ull, 0x8d4c4f4350fda259ull, 0x875bbcdcu, 63, 63, 7},
};

// A pin as it is written in Pins.
std::string Line(const WorldPin& p) {
    std::string rooms;
    for (int v = 0; v < 9; ++v) rooms += (v ? ", " : "") + std::to_string(p.rooms[v]);
    char s[256];
    std::snprintf(s, sizeof s, "{%uu, %s, {%s},\n 0x%016llxull, 0x%016llxull, 0x%016llxull, 0x%08xu, %d, %d, %d},", p.seed,
                  p.flat ? "true" : "false", rooms.c_str(), static_cast<unsigned long long>(p.blueprint),
                  static_cast<unsigned long long>(p.world), static_cast<unsigned long long>(p.flagmap), p.randomState, p.sx, p.sy, p.total);
    return s;
}

class WorldPins : public GameFixture {
protected:
    // Builds the world of this seed on the default terrain (the run folder's
    // map 1) or a flat one, as start-up does, and measures it.
    static WorldPin Measure(uint32_t seed, bool flat) {
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        if (!flat) {
            const Bytes map = ReadBytes(std::string(RUN_DIR) + "/map/1.overworld");
            EXPECT_EQ(map.size(), size_t(PlaneSize));
            std::memcpy(World, map.data(), std::min(map.size(), size_t(PlaneSize)));
        }
        HeadlessOnPause(nullptr);
        BuildWorld(seed);
        WorldPin p{seed, flat, {}, Digest(World + size_t(140) * PlaneSize, size_t(9) * PlaneSize), Digest(World, VolumeSize),
                   Digest(Flagmap, VolumeSize), randomState, SX, SY, objectivesTotal};
        for (int v = 0; v < 9; ++v) p.rooms[v] = LayerRoomEnd[140 + v] - LayerRoomStart[140 + v];
        return p;
    }
};

TEST_F(WorldPins, GeneratorAndShapingGiveThePinnedWorld) {
    for (const WorldPin& pin : Pins)
        EXPECT_EQ(Line(Measure(pin.seed, pin.flat)), Line(pin)) << "the world of seed " << pin.seed << " changed";
}

using Overworld = GameFixture;

TEST_F(Overworld, ReadsTheFirstPlaneIntoLayerZeroAndPausesOneSecond) {
    // Each read shows in layer 0 as `layer` says, leaves layer 1 alone and pauses one second.
    const auto expectRead = [](const char* what, const std::function<uint8_t(int)>& layer) {
        SCOPED_TRACE(what);
        for (int i = 0; i < PlaneSize; ++i) ASSERT_EQ(World[i], layer(i)) << i;
        for (int i = 0; i < PlaneSize; ++i) ASSERT_EQ(World[PlaneSize + i], 0xEE) << i;
        EXPECT_EQ(HeadlessPauses(), std::vector<int>{1000});
        HeadlessPauses().clear();
    };
    std::memset(World, 0xEE, size_t(2) * PlaneSize);
    // A long file: the first 65,536 bytes only.
    Bytes file(PlaneSize + 500);
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 31 + 7);
    WriteBytes("map/1.overworld", file);
    LoadOverworld(1);
    expectRead("long", [&](int i) { return file[i]; });
    // A short file fills only what it holds; the rest of the layer is kept.
    WriteBytes("map/2.overworld", Bytes(300, 10));
    LoadOverworld(2);
    const auto shortRead = [&](int i) { return i < 300 ? uint8_t(10) : file[i]; };
    expectRead("short", shortRead);
    // A missing file is created empty, reads nothing and still pauses.
    LoadOverworld(3);
    EXPECT_EQ(std::filesystem::file_size("map/3.overworld"), 0u);
    expectRead("missing", shortRead);
    // Without the map folder nothing is read, created, or waited for.
    std::filesystem::remove_all("map");
    LoadOverworld(1);
    EXPECT_FALSE(std::filesystem::exists("map"));
    EXPECT_TRUE(HeadlessPauses().empty());
    EXPECT_EQ(World[0], 10);
}

}  // namespace
