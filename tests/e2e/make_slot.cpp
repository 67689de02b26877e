// Writes a prepared save slot for the end-to-end tests, so that the real game
// can load a scene it knows: the world of a fixed seed, built and saved by the
// game's own code on the headless back end, with the player in the open sky
// above the landscape, no objectives, cycleStep 2 and MVD 10.
//
//   make_e2e_slot RUN_DIR SLOT FRAME_COUNT
//
// FRAME_COUNT is the frameCounter the slot stores (0 .. 2^31 - 1): a mouse
// press is taken only once the count has passed the last accepted one, so it
// must lie above every frame the running game has played. Prints
// "start x y z".
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/game.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "machine/platform.h"
#include "render/camera.h"
#include "render/overlay.h"
#include "world/overworld.h"
#include "world/savegame.h"
#include "world/volume.h"

int main(int argc, char** argv) {
    char* end = nullptr;
    const long frames = argc == 4 ? std::strtol(argv[3], &end, 10) : -1;
    const int slot = argc == 4 ? std::atoi(argv[2]) : 0;
    if ((slot != 1 && slot != 2) || *end || frames < 0 || frames > INT32_MAX || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: %s RUN_DIR 1|2 FRAME_COUNT (RUN_DIR a folder)\n", argv[0]);
        return 2;
    }
    SetOverlaySize(320, 240);
    InitGame();
    LoadOverworld(1);
    BuildWorld(20240601);
    std::memset(Flagmap, 0, VolumeSize);
    objectivesTotal = objectivesFound = 0;
    // Four layers above the highest ground (layer 29), where hills, grass and
    // sand meet toward smaller y, and far from the faces of the volume: a few
    // seconds of level walking along y stay in the open sky.
    SX = 60, SY = 100, SZ = 25;
    Player().cellX = static_cast<uint16_t>(SX), Player().cellY = static_cast<uint16_t>(SY), Player().cellZ = static_cast<uint16_t>(SZ);
    std::printf("start %d %d %d\n", SX, SY, SZ);
    frameCounter = static_cast<int>(frames);
    cycleStep = 2;
    MVD = 10;   // from the sky the ground lies 4 to 6 layers down
    // SaveGame reports trouble only on its progress screen, which no window shows here.
    static bool failed = false;
    SaveGame(slot, [](const char* text, int) { failed = failed || std::strcmp(text, "Save failed") == 0; });
    ShutdownGame();
    if (failed) std::fprintf(stderr, "make_e2e_slot: the save failed\n");
    return failed ? 1 : 0;
}
