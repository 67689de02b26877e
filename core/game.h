// The run state of the game loop and the player's unit record.
#pragma once

#include <cstddef>
#include <cstdint>

// One record of the UnitTable. The table is saved raw, so these byte offsets
// are part of the saved-game format; the game uses only these fields.
struct UnitRecord {
    uint8_t reserved0[102];
    uint16_t cellX;         // copy of SX, rewritten every frame
    uint16_t cellY;         // copy of SY
    uint16_t cellZ;         // copy of SZ
    uint8_t reserved1[60];
    float cellOffset[3];    // px, py, pz: the position inside the cursor cell
    uint8_t reserved2[520];
    int32_t stepCount;      // walking counter behind the head bob
};
static_assert(sizeof(UnitRecord) == 704);
static_assert(offsetof(UnitRecord, cellX) == 102 && offsetof(UnitRecord, cellZ) == 106);
static_assert(offsetof(UnitRecord, cellOffset) == 168 && offsetof(UnitRecord, stepCount) == 700);

constexpr int playerUnit = 1;

extern UnitRecord* UnitTable;     // UnitCount records, zero-filled at start-up; saved and loaded whole

// Run variables of the loop (written by the loop, the window events and a load).
extern int quitRequested;         // 1 ends the loop after the current frame
extern int frameCounter;          // frames since the world was shaped; saved
extern int objectivesTotal;       // objectives scattered, 0..20; saved
extern int objectivesFound;       // objectives picked up; saved
extern int MVD;                   // view distance 1..30; saved
extern int MouseLookOn;           // toggled by an accepted right press
extern int WalkOn;                // toggled by an accepted left press
extern int leftPressed, rightPressed;          // an accepted press waiting for the frame
extern int leftPressFrame, rightPressFrame;    // frameCounter at the last accepted press

inline UnitRecord& Player() { return UnitTable[playerUnit]; }

// frameCounter - frame as a signed distance, taken modulo 2^32 so that it
// stays right across the counter's wrap; negative for a frame still ahead.
inline int FramesSince(int frame) {
    return static_cast<int>(static_cast<uint32_t>(frameCounter) - static_cast<uint32_t>(frame));
}

// The whole program: start-up, the loop, teardown. Returns the exit status.
int GameMain();

// Start-up up to the first frame (everything GameMain does before its loop).
// Returns false when the window could not be opened.
bool StartGame();

// One iteration of the frame loop.
void RunFrame();

// The game keys of one frame, in their order, with their pauses.
void HandleGameKeys();

// The four HUD lines.
void DrawHud();
