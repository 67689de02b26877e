// Lookup tables built once at start-up: per-cell-value tuning numbers and
// sine/cosine by thousandths of a degree.
#pragma once

#include <cstdint>

constexpr int TrigTableSize = 3600000;   // entries per trig table: 0..3600 degrees (ten turns) in 0.001 steps

// Degrees to radians with pi cut after nine decimals (3.141592653 / 180),
// not the exact pi / 180: the tables and the camera both use this factor.
constexpr double DegreesToRadians = 0.017453292516666667;

extern float CellCostTable[256];   // cost by World cell value; written only by BuildTuningTables
extern float CellTableB[256];      // second per-cell-value table; written only by BuildTuningTables
extern float* SineTable;           // TrigTableSize floats, entry i = sin(i / 1000 degrees); owned by BuildTrigTables/ReleaseTrigTables
extern float* CosineTable;         // TrigTableSize floats, entry i = cos(i / 1000 degrees); same owner

// First entry of part `part` when the trig tables are split into `parts`
// contiguous ranges, one per worker thread (part == parts gives the end).
inline int TrigPartStart(int part, int parts) {
    return static_cast<int>(static_cast<int64_t>(TrigTableSize) * part / parts);
}

// Fills CellCostTable and CellTableB.
void BuildTuningTables();

// Allocates and fills SineTable and CosineTable; does nothing when either exists.
void BuildTrigTables();

// Frees each trig table that exists and nulls its pointer.
void ReleaseTrigTables();
