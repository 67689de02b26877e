// The run and the player: every variable that says where the player is, how
// it looks and moves, and how far the run has come. They are found here and
// reset here; each line names who writes it. The loop, the window events,
// the console, the camera, world shaping and loading a game are the writers.
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

constexpr int UnitCount = 3000;   // records of the UnitTable
constexpr int playerUnit = 1;

// ---- The player ----
extern UnitRecord* UnitTable;   // UnitCount records, made by start-up; the player's cell copy by the loop, its offset and steps by the camera; saved and loaded whole
extern int SX, SY, SZ;          // the view cursor: the cell that holds the player and the camera; written by shaping, the camera, the layer keys and a load
extern float Yaw;               // degrees; at a level view 0 looks toward smaller y, 90 toward larger x; written by mouse look
extern float Pitch;             // degrees; -90 level, 0 straight down, -180 straight up; written by mouse look
extern int cycleStep;           // motion divisor 1..36: a frame moves 0.1 / cycleStep of a cell; written by the console and a load
extern int MVD;                 // view distance 1..30; written by '[' and ']', shaping and a load
extern int WalkOn;              // 1 while walking; toggled by an accepted left press (the loop)
extern int MouseLookOn;         // 1 while the pointer steers the view; toggled by an accepted right press (the loop)

// ---- The run ----
extern int quitRequested;       // 1 ends the loop after the current frame; written by Escape and a close request
extern int frameCounter;        // frames since the world was shaped; written by the loop, shaping and a load
extern int objectivesTotal;     // objectives scattered, 0..20; written by shaping and a load
extern int objectivesFound;     // objectives picked up; written by the pickup, shaping and a load
extern int leftPressed, rightPressed;         // an accepted press waiting for the frame; set by the window events, cleared by the loop
extern int leftPressFrame, rightPressFrame;   // frameCounter at the last accepted press; written by the window events

inline UnitRecord& Player() { return UnitTable[playerUnit]; }

// frameCounter - frame as a signed distance, taken modulo 2^32 so that it
// stays right across the counter's wrap; negative for a frame still ahead.
inline int FramesSince(int frame) {
    return static_cast<int>(static_cast<uint32_t>(frameCounter) - static_cast<uint32_t>(frame));
}

// Puts every variable above back to its start value, as a fresh process has
// it (the cursor at 0, the player record's offset at its cell's centre when
// the table exists). World shaping starts from here, and so do the tests.
void ResetRunState();
