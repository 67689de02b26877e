// Writes a prepared save slot for the end-to-end tests, so that the real game
// can load a scene whose cells the test knows: the world of a fixed seed,
// built and saved by the game's own code on the headless back end.
//
//   make_e2e_slot RUN_DIR SLOT SCENE FRAME_COUNT
//
// FRAME_COUNT is the frameCounter the slot stores (0 .. 2^31 - 1). A load replaces the
// running game's count, and a mouse press is taken only once frameCounter
// has passed the last accepted press by 12 frames, so the count must lie
// above every frame the running game has played so far; a test that loads
// several prepared slots gives each later one a higher count.
//
//   corridor
//       The player on the dungeon's walking layer 39 at the mouth of a
//       straight run of open cells toward smaller y that ends at a solid
//       cell; one objective lies on the way.
//   surface
//       The player in the open sky above the landscape, no objectives.
//
// Prints the scene's cells on stdout, one "name x y z" per line:
// "start", and for the corridor "objective" and "end" (the last open cell
// before the wall). The view angles are not part of a saved game: the test
// sets them with mouse look, and "level view toward smaller y" (Yaw 0,
// Pitch -90) is what the corridor is laid out for.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/game.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/overlay.h"
#include "world/overworld.h"
#include "world/savegame.h"
#include "world/volume.h"

namespace {

constexpr uint32_t Seed = 20240601;
constexpr int WalkLayer = 39;
constexpr int OpenRun = 4;   // open cells from the start cell on, toward smaller y

bool Open(int x, int y, int z) { return InsideVolume(x, y, z) && World[CellIndex(x, y, z)] == 0; }
bool Solid(int x, int y, int z) {
    if (!InsideVolume(x, y, z)) return true;
    uint8_t v = World[CellIndex(x, y, z)];
    return v != 0 && v != PanelCell;
}

// A start cell on the walking layer with OpenRun open cells toward smaller y
// (itself included) and a solid cell after them. A level walk toward smaller
// y keeps the eye at the middle of the cells in x, out of reach of the
// collision with the cells beside the run.
bool FindCorridor(int* sx, int* sy) {
    for (int y = 8; y < 70; ++y)
        for (int x = 8; x < 70; ++x) {
            bool fits = Solid(x, y - OpenRun, WalkLayer);
            for (int i = 0; i < OpenRun && fits; ++i) fits = Open(x, y - i, WalkLayer);
            if (fits) {
                *sx = x;
                *sy = y;
                return true;
            }
        }
    return false;
}

void PlacePlayer(int x, int y, int z) {
    SX = x;
    SY = y;
    SZ = z;
    UnitRecord& player = Player();
    player.cellX = static_cast<uint16_t>(x);
    player.cellY = static_cast<uint16_t>(y);
    player.cellZ = static_cast<uint16_t>(z);
    for (float& offset : player.cellOffset) offset = 0.5f;
    player.stepCount = 0;
}

// SaveGame reports trouble only on its progress screen: check the files it left.
bool SlotWritten(const char* slot) {
    const struct {
        const char* kind;
        long long size;
    } files[] = {{"mainmap", VolumeFileSize}, {"flagmap", VolumeFileSize}, {"unit", UnitFileSize},
                 {"variables", VariablesFileSize}};
    for (const auto& f : files) {
        std::string name = std::string("map/SAVEGAME") + slot + "." + f.kind;
        std::error_code error;
        auto size = std::filesystem::file_size(name, error);
        if (error || static_cast<long long>(size) != f.size) {
            std::fprintf(stderr, "make_e2e_slot: %s was not written whole\n", name.c_str());
            return false;
        }
    }
    return true;
}

void ClearObjectives() {
    std::memset(Flagmap, 0, VolumeSize);
    objectivesTotal = objectivesFound = 0;
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    long frames = argc == 5 ? std::strtol(argv[4], &end, 10) : -1;
    if (argc != 5 || (std::strcmp(argv[2], "1") != 0 && std::strcmp(argv[2], "2") != 0) || !end || *end ||
        frames < 0 || frames > INT32_MAX) {
        std::fprintf(stderr, "usage: %s RUN_DIR 1|2 corridor|surface FRAME_COUNT\n", argv[0]);
        return 2;
    }
    const std::string scene = argv[3];
    if (scene != "corridor" && scene != "surface") {
        std::fprintf(stderr, "make_e2e_slot: unknown scene '%s'\n", argv[3]);
        return 2;
    }
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "make_e2e_slot: no run directory at '%s'\n", argv[1]);
        return 1;
    }
    SetOverlaySize(320, 240);
    windowScale = 2;
    InitGame();
    // The progress screens of SaveGame draw into the (off-screen) window.
    if (!OpenMainWindow()) {
        std::fprintf(stderr, "make_e2e_slot: no off-screen window\n");
        ShutdownGame();
        return 1;
    }
    LoadOverworld(1);
    BuildWorld(Seed);
    ClearObjectives();

    if (scene == "corridor") {
        int x = 0, y = 0;
        if (!FindCorridor(&x, &y)) {
            std::fprintf(stderr, "make_e2e_slot: no straight corridor in the dungeon of seed %u\n", Seed);
            ShutdownGame();
            return 1;
        }
        PlacePlayer(x, y, WalkLayer);
        Flagmap[CellIndex(x, y - 2, WalkLayer)] = ObjectiveFlag;
        objectivesTotal = 1;
        std::printf("start %d %d %d\nobjective %d %d %d\nend %d %d %d\n", x, y, WalkLayer, x, y - 2, WalkLayer, x,
                    y - (OpenRun - 1), WalkLayer);
    } else {
        // Four layers above the highest ground (layer 29), where hills, grass
        // and sand meet toward smaller y, and far from the faces of the
        // volume: a few seconds of level walking along y stay in the open sky.
        PlacePlayer(60, 100, 25);
        std::printf("start %d %d %d\n", SX, SY, SZ);
    }
    frameCounter = static_cast<int>(frames);
    cycleStep = 2;
    MVD = scene == "surface" ? 10 : 6;   // from the sky the ground lies 4 to 6 layers down
    SaveGame(std::atoi(argv[2]), DrawProgressScreen);
    ShutdownGame();
    return SlotWritten(argv[2]) ? 0 : 1;
}
