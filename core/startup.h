// Start-up and teardown of the long-lived tables: allocated once at a fixed
// size, in a fixed order, and released at exit.
#pragma once

// Allocates and zero-fills every table, loads the asset sets, builds the
// lookup tables, the console, the catalogue and the start objects.
void InitGame();

// The dungeon generator's working buffers (RoomList, LayerRoomStart/End, TemplateGrid).
void AllocGeneratorBuffers();
void FreeGeneratorBuffers();

// Releases every table InitGame made; safe on tables that were never made.
void ShutdownGame();
