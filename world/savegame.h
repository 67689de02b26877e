// Saved games: four files a slot in the map folder, ".\map\SAVEGAME<slot>."
// mainmap, flagmap, unit and variables. The two volume files hold every cell
// but the last; the unit file is the raw UnitTable; the variables file holds
// eight little-endian 32-bit values.
#pragma once

#include <cstdint>

#include "world/run_state.h"
#include "world/volume.h"

constexpr long long VolumeFileSize = VolumeSize - 1;   // every cell of a volume but the last
constexpr long long UnitFileSize = static_cast<long long>(UnitCount) * sizeof(UnitRecord);
constexpr long long VariablesFileSize = 32;

// Shows one progress screen: a line of text and, when percent is 0..100,
// the percentage under it (-1: the text alone). Saving and loading call it
// between their steps; the game draws and presents the screen.
using ProgressScreen = void (*)(const char* text, int percent);

extern uint8_t* LoadBackup;   // the World, Flagmap and UnitTable kept while a load may still fail; made by start-up, written by LoadGame

// Writes the slot, blocking the game behind its progress screens. The old
// slot is replaced only once all four new files are safely on disk.
void SaveGame(int slot, ProgressScreen show);

// Checks the slot whole, then reads it over the live game; a slot that is
// missing or damaged changes nothing and says so on a progress screen.
void LoadGame(int slot, ProgressScreen show);

// Completes or rolls back a save that was interrupted while it replaced the
// slot's files (called before every load and save, and at start-up).
void RecoverSlot(int slot);
