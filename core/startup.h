// Start-up and teardown: the long-lived tables, allocated once at a fixed
// size, and the overlay-sized picture buffers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int ImageSlotCount = 3100;    // slots of the ImageTable
constexpr int UnitCount = 3000;         // records of the UnitTable
constexpr int objectCapacity = 230000;  // records of the ObjectTable

extern int OverlayWidth;             // 320; written only by SetOverlaySize
extern int OverlayHeight;            // 240; written only by SetOverlaySize
extern uint8_t* OverlayBuffer;       // OverlayWidth x OverlayHeight RGBA pixels, row 0 at the bottom
extern uint8_t* ReadbackBuffer;      // the 3D picture read back as packed RGB, ReadbackWidth x ReadbackHeight
extern uint8_t* LoadBackup;          // the World, Flagmap and UnitTable kept while a load may still fail; written by LoadGame

constexpr int ReadbackWidth = 320, ReadbackHeight = 240;   // the 3D view, whatever the overlay's size

// Sets the overlay size and hands out a fresh overlay and read-back buffer.
void SetOverlaySize(int width, int height);

// Allocates and zero-fills every table, loads the asset sets, builds the
// lookup tables, the console, the catalogue and the start objects.
void InitGame();

// The dungeon generator's working buffers (RoomList, LayerRoomStart/End, TemplateGrid).
void AllocGeneratorBuffers();
void FreeGeneratorBuffers();

// Releases every table InitGame made; safe on tables that were never made.
void ShutdownGame();

// A start-up allocation: zero-filled when asked. When the memory is not
// there, the tables made so far are released and the program stops with a
// message on stderr and exit status 1.
void* AllocOrQuit(size_t bytes, bool zeroFill, const char* what);

// Test hook: makes the allocation with this 1-based count (from now) fail; 0 turns it off.
void FailAllocationAfter(int count);
