// The World and Flagmap volumes: 256 x 256 cells on 180 layers, one byte a
// cell, layers numbered downward from the sky. Cell (x, y, z) is byte
// z * PlaneSize + y * WorldSide + x of either volume.
#pragma once

#include <cstdint>

constexpr int WorldSide = 256;
constexpr int WorldLayers = 180;
constexpr int PlaneSize = WorldSide * WorldSide;
constexpr int VolumeSize = PlaneSize * WorldLayers;   // 11,796,480 bytes

extern uint8_t* World;     // cell values: 0 empty, 1..31 cubes (4 a panel), blueprint marks on layers 140..148
extern uint8_t* Flagmap;   // same shape; ObjectiveFlag marks an objective

// Every write to the volumes after start-up goes through one of these: they
// hand out the volume and note that its cells may change, so that whatever a
// renderer kept of the old cells is known to be stale.
uint8_t* WritableWorld();
uint8_t* WritableFlagmap();

// Changes whenever WritableWorld or WritableFlagmap was called; a renderer
// that kept cells compares it with the value it saw then.
uint32_t WorldRevision();

constexpr uint8_t ObjectiveFlag = 10;
constexpr uint8_t PanelCell = 4;

// Blueprint marks written by the dungeon generator into layers 140..148.
enum BlueprintMark : uint8_t {
    Rock = '=', Floor = '<', Door = 'F', StairFoot = 'L', StairHead = 'M',
    Chest = 'Z', Candelabrum = 'V', Scroll = 'd', Coffin = 'X', Fountain = 'T',
    Special = 160,
};

inline bool InsideVolume(int x, int y, int z) {
    return x >= 0 && x < WorldSide && y >= 0 && y < WorldSide && z >= 0 && z < WorldLayers;
}

// Plain index rule; the caller keeps (x, y, z) inside the volume.
inline int CellIndex(int x, int y, int z) { return z * PlaneSize + y * WorldSide + x; }

// Checked access: a read outside the volume yields 0, a write outside does nothing.
inline uint8_t ReadCell(const uint8_t* volume, int x, int y, int z) {
    return InsideVolume(x, y, z) ? volume[CellIndex(x, y, z)] : 0;
}
inline void WriteCell(uint8_t* volume, int x, int y, int z, uint8_t value) {
    if (InsideVolume(x, y, z)) volume[CellIndex(x, y, z)] = value;
}
