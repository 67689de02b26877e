// The dungeon generator: grows a tree of template rooms on each of a run of
// blueprint layers, then scatters stairs and furnishings.
#pragma once

#include <cstdint>

#include "world/volume.h"

struct RoomRecord {
    uint16_t x, y;        // top-left cell of the footprint
    uint16_t w, h;        // footprint size
    uint16_t layer;
    int32_t index;        // the record's own position in RoomList
    uint8_t templateIndex;
};

constexpr int RoomListCapacity = WorldLayers * 6000;   // room for 6000 records a layer

extern RoomRecord* RoomList;      // rooms of every generated layer, in placement order; a generator buffer
extern int roomCount;             // records of RoomList in use; reset by GenerateDungeon
extern int32_t* LayerRoomStart;   // WorldLayers + 1 entries: layer z's rooms are LayerRoomStart[z] .. LayerRoomEnd[z] - 1
extern int32_t* LayerRoomEnd;

void GenerateDungeon(int centreX, int centreY, int firstLayer, int layerCount, int rockSpan, int roomTurns);

// 1 (writing nothing) unless every cell of the rectangle on layer z is empty; else fills it and returns 0.
int FillRect(int x1, int y1, int x2, int y2, int z, uint8_t value);

// 0 when every cell of the inclusive rectangle lies in the plane and holds value
// (an empty rectangle too), else 1.
int RectAllEqual(int x1, int y1, int x2, int y2, int z, uint8_t value);

// Writes the TemplateGrid's floor and special cells at origin (x, y) of layer z.
void StampRoom(int x, int y, int z);
