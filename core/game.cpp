// The entry point's work: start-up, the frame loop with its HUD, objective
// pickup and game keys, and teardown.
#include "core/game.h"

#include <cstdio>

#include "console/console.h"
#include "core/card.h"
#include "core/options.h"
#include "core/pacing.h"
#include "core/settings.h"
#include "core/shaping.h"
#include "core/startup.h"
#include "platform/input.h"
#include "machine/platform.h"
#include "platform/present.h"
#include "platform/window.h"
#include "render/overlay.h"
#include "render/screenshot.h"
#include "render/voxel.h"
#include "world/overworld.h"
#include "world/savegame.h"
#include "world/volume.h"

constexpr uint8_t Yellow[3] = {255, 255, 0};

bool StartGame() {
    SetOverlaySize(ViewWidth, ViewHeight);
    InitGame();
    if (!OpenMainWindow()) return false;
    LoadOverworld(1);
    // One seed, one world: shown so that a player can share it with --seed.
    const uint32_t seed = Options.seedGiven ? Options.seed : TimeSeed();
    std::printf("Seed: %u\n", static_cast<unsigned>(seed));
    std::fflush(stdout);
    BuildWorld(seed);
    // A save cut short by a crash is finished (or rolled back) before anything can load it.
    RecoverSlot(1);
    RecoverSlot(2);
    return true;
}

void DrawProgressScreen(const char* text, int percent) {
    BeginFrame();
    FormatText("%s", text);
    DrawBigText(20, 100, Yellow[0], Yellow[1], Yellow[2]);
    if (percent >= 0) {
        FormatText("%d/100.", percent);
        DrawBigText(20, 89, Yellow[0], Yellow[1], Yellow[2]);
    }
    PresentFrame();
}

void DrawHud() {
    FormatText("WIN32RUNKITSTONEGLOAMSR002");
    DrawBigText(12, OverlayHeight - 14, Yellow[0], Yellow[1], Yellow[2]);
    FormatText("Voxel dungeon - a free game made by its team - art drawn by its own tools");
    DrawSmallText(12, 14, Yellow[0], Yellow[1], Yellow[2]);
    FormatText("Objective Number = %d / %d  MVD = %d", objectivesFound, objectivesTotal, MVD);
    DrawBigText(12, 46, Yellow[0], Yellow[1], Yellow[2]);
    FormatText("SX=%d,SY=%d,SZ=%d mx=%d my=%d", SX, SY, SZ, MouseX(), MouseY());
    DrawBigText(12, 31, Yellow[0], Yellow[1], Yellow[2]);
}

// The layer keys step the cursor into an empty cell above or below; they
// test through the player record, which this frame has just copied from the cursor.
static void StepLayer(int dz) {
    int x = Player().cellX, y = Player().cellY, z = Player().cellZ + dz;
    if (InsideVolume(x, y, z) && World[CellIndex(x, y, z)] == 0) {
        if (dz > 0 && SZ < WorldLayers - 1) ++SZ;
        if (dz < 0 && SZ > 1) --SZ;
    }
    PlatformSleep(800);
}

void HandleGameKeys() {
    if (KeyDown(Key::Escape)) quitRequested = 1;
    if (KeyDown(Key::LeftBracket)) {
        if (MVD > 1) --MVD;
        PlatformSleep(100);
    }
    if (KeyDown(Key::RightBracket)) {
        if (MVD < 30) ++MVD;
        PlatformSleep(100);
    }
    if (rightPressed == 1) MouseLookOn = 1 - MouseLookOn;
    if (leftPressed == 1) WalkOn = 1 - WalkOn;
    if (KeyDown(Key::KeypadPlus)) StepLayer(+1);
    if (KeyDown(Key::KeypadMinus)) StepLayer(-1);
    static const struct { int key; int slot; bool save; } SlotKeys[] = {
        {Key::F5, 1, true}, {Key::F6, 2, true}, {Key::F7, 1, false}, {Key::F8, 2, false},
    };
    for (const auto& k : SlotKeys) {
        if (!KeyDown(k.key)) continue;
        if (k.save) SaveGame(k.slot, DrawProgressScreen);
        else LoadGame(k.slot, DrawProgressScreen);
        PlatformSleep(300);
    }
    // The OverlayBuffer still holds the picture this frame presented.
    if (KeyDown(Key::F12)) {
        SaveScreenshot(presentScale);
        PlatformSleep(300);
    }
    HandleCardKey();
}

void RunFrame() {
    RecordFrameStart();
    BeginFrame();
    ViewFrame(KeyDown(Key::Z) != 0, MouseX(), MouseY());
    Player().cellX = static_cast<uint16_t>(SX);
    Player().cellY = static_cast<uint16_t>(SY);
    Player().cellZ = static_cast<uint16_t>(SZ);
    DrawHud();
    DrawControlsCard();
    RunConsole();
    DrawCursorCross(MouseX(), MouseY());
    // The HUD of this frame is drawn already: a pickup shows from the next frame.
    if (InsideVolume(SX, SY, SZ) && Flagmap[CellIndex(SX, SY, SZ)] == ObjectiveFlag) {
        WritableFlagmap()[CellIndex(SX, SY, SZ)] = 0;
        ++objectivesFound;
    }
    // Finished, then shown on the beat: the wait for the deadline sits
    // between the two, so swaps fall a period apart whatever the frame's work.
    FinishPicture();
    PaceAndSwap(ShowPicture);
    HandleWindowKeys();
    if (windowLost) return;   // nothing can be drawn or read any more: the loop ends now
    KeepChangedSettings();
    HandleGameKeys();
    leftPressed = rightPressed = 0;
    while (PumpOneMessage()) {
    }
    // Wraps instead of overflowing: a loaded game may hold any count.
    frameCounter = static_cast<int>(static_cast<uint32_t>(frameCounter) + 1u);
}

int GameMain() {
    if (!StartGame()) {
        // Without a window there is nothing to show and no way to quit: stop here.
        ShutdownGame();
        return 1;
    }
    ResetPacing();
    while (!quitRequested) RunFrame();
    ShutdownGame();
    return windowLost ? 1 : 0;
}
