#include "core/shaping.h"

#include <cstring>

#include "core/startup.h"
#include "machine/random.h"
#include "world/dungeon.h"
#include "world/run_state.h"
#include "world/volume.h"

// The dungeon plan: nine levels on blueprint layers 140..148, centred on (128, 128).
constexpr int PlanCentre = 128, PlanFirstLayer = 140, PlanLayers = 9, PlanRockSpan = 32, PlanTurns = 400;

// Surface layers: raised rock, grass, and the low ground.
constexpr int RockLayer = 29, GrassLayer = 30, GroundLayer = 31;

constexpr int ShaftDraws = 1000;
constexpr int ObjectiveDrawLimit = 1000002;

static inline uint8_t* Layer(int z) { return WritableWorld() + static_cast<size_t>(z) * PlaneSize; }

// Empties the 2 x 2 cells at (x, y) on layer z.
static inline void ClearSquare(int x, int y, int z) {
    uint8_t* p = Layer(z) + y * WorldSide + x;
    p[0] = p[1] = p[WorldSide] = p[WorldSide + 1] = 0;
}

void ShapeWorld() {
    std::memset(Layer(1), 1, static_cast<size_t>(138) * PlaneSize);    // rock through layers 1..138
    std::memset(Layer(1), 0, static_cast<size_t>(30) * PlaneSize);     // sky: layers 1..30

    const uint8_t* terrain = Layer(0);
    for (int i = 0; i < PlaneSize; ++i) {
        uint8_t t = terrain[i];
        if (t == 10) Layer(GroundLayer)[i] = 3;                 // dirt
        else if (t >= 11 && t <= 18) Layer(GrassLayer)[i] = 2;  // grass
        else if (t >= 19) Layer(RockLayer)[i] = 1;              // raised rock
    }

    // Each blueprint cell becomes a 2 x 2 column two layers high; a stair head
    // opens a third layer into the level below.
    for (int y = 112; y <= 144; ++y) {
        for (int x = 112; x <= 144; ++x) {
            for (int v = 1; v <= 9; ++v) {
                uint8_t b = World[CellIndex(x, y, 139 + v)];
                int cx = 2 * (x - 110), cy = 2 * (y - 110);
                if (b != Rock) {
                    ClearSquare(cx, cy, 3 * v + 27);
                    ClearSquare(cx, cy, 3 * v + 28);
                }
                if (b == StairHead) ClearSquare(cx, cy, 3 * v + 29);
            }
        }
    }
}

void ShaftPass() {
    for (int i = 0; i < ShaftDraws; ++i) {
        int x = Rand() % 128;
        int y = Rand() % 128;
        const uint8_t* p = Layer(39) + y * WorldSide + x;
        if (p[0] != 0 || p[1] != 0 || p[WorldSide] != 0 || p[WorldSide + 1] != 0) continue;
        for (int z = 28; z <= 38; ++z) ClearSquare(x, y, z);
    }
}

// Whether the cell at index i lies where the renderer draws and the player can stand.
static bool Findable(int i) {
    int x = i % WorldSide, y = i / WorldSide % WorldSide, z = i / PlaneSize;
    return z >= 1 && x >= 1 && x <= WorldSide - 2 && y >= 1 && y <= WorldSide - 2;
}

void ObjectivePass() {
    objectivesTotal = Rand() % 21;
    objectivesFound = 0;
    int placed = 0;
    for (int draws = 0; draws < ObjectiveDrawLimit && placed < objectivesTotal; ++draws) {
        // Draws are 0..32767, so every objective lies in the sky layers 0..30.
        int i = (Rand() % PlaneSize) * 61;
        // A cell that already holds an objective is spent like a solid one, and
        // so is one the player can never reach or see: the terrain layer and the
        // volume's border rows and columns are never drawn nor stood in. Every
        // counted objective is thus a distinct cell the player can find.
        if (World[i] == 0 && Flagmap[i] != ObjectiveFlag && Findable(i)) {
            WritableFlagmap()[i] = ObjectiveFlag;
            ++placed;
        }
    }
}

// The start cell lies in the dungeon's fourth level, where rooms are dense
// but not everywhere: about every other dungeon leaves it in solid rock, and
// the push out of a solid cell would then carry the player diagonally through
// the rock and out of the dungeon. Such a start moves to the nearest open cell
// of the same layer (rings of growing distance, scanned row by row); the
// World itself is left exactly as shaped.
static void MoveStartIntoOpenCell() {
    if (World[CellIndex(SX, SY, SZ)] == 0) return;
    for (int ring = 1; ring < WorldSide; ++ring) {
        for (int y = SY - ring; y <= SY + ring; ++y) {
            for (int x = SX - ring; x <= SX + ring; ++x) {
                bool onRing = x == SX - ring || x == SX + ring || y == SY - ring || y == SY + ring;
                if (!onRing || x < 1 || y < 1 || x > WorldSide - 2 || y > WorldSide - 2) continue;
                if (World[CellIndex(x, y, SZ)] != 0) continue;
                SX = x;
                SY = y;
                return;
            }
        }
    }
}

uint32_t worldSeed = 0;

void BuildWorld(uint32_t seed) {
    worldSeed = seed;
    SRand(seed);
    FreeGeneratorBuffers();
    AllocGeneratorBuffers();
    GenerateDungeon(PlanCentre, PlanCentre, PlanFirstLayer, PlanLayers, PlanRockSpan, PlanTurns);
    ShapeWorld();
    ResetRunState();
    SX = 64;
    SY = 64;
    SZ = 39;
    MoveStartIntoOpenCell();
    Player().cellX = static_cast<uint16_t>(SX);
    Player().cellY = static_cast<uint16_t>(SY);
    Player().cellZ = static_cast<uint16_t>(SZ);
    ShaftPass();
    ObjectivePass();
}
