// Saved games: four files a slot in the map folder, ".\map\SAVEGAME<slot>."
// mainmap, flagmap, unit and variables. The two volume files hold every cell
// but the last; the unit file is the raw UnitTable; the variables file holds
// eight little-endian 32-bit values.
#pragma once

constexpr long long VolumeFileSize = 11796479;   // every cell of a volume but the last
constexpr long long UnitFileSize = 3000LL * 704;
constexpr long long VariablesFileSize = 32;

// Writes the slot, blocking the game behind a progress screen. The old slot
// is replaced only once all four new files are safely on disk.
void SaveGame(int slot);

// Checks the slot whole, then reads it over the live game; a slot that is
// missing or damaged changes nothing and says so on the progress screen.
void LoadGame(int slot);

// Completes or rolls back a save that was interrupted while it replaced the
// slot's files (called before every load and save, and at start-up).
void RecoverSlot(int slot);
