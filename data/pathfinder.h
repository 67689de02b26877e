// The pathfinder's working memory: node and path arrays for one 256 x 256
// plane and every unit, plus the eight-neighbour direction table.
#pragma once

#include <cstdint>

#include "world/run_state.h"
#include "world/volume.h"

constexpr int PathNodeCount = PlaneSize;   // one node per cell of a World plane
constexpr int PathUnitCount = UnitCount;   // one path per UnitTable record
constexpr int PathPointsPerUnit = 1000;    // unit u's points start at u * PathPointsPerUnit
constexpr int PathNoLastPoint = -9;        // pathLast of a unit that has no path yet

// Record types of the search itself; the game only reserves their room.
struct PathPointRecord {
    uint32_t words[6];
};
struct PathCellRecord {
    uint32_t words[5];
};
static_assert(sizeof(PathPointRecord) == 24 && sizeof(PathCellRecord) == 20);

// Counts per array are in the comments; "garbage" marks arrays left
// uninitialised at creation, because a search writes before it reads them.
struct PathWorkspace {
    uint16_t* nodeX;                 // PathNodeCount, garbage
    uint16_t* nodeY;                 // PathNodeCount, garbage
    uint32_t* nodeParent;            // PathNodeCount node indices, garbage
    uint8_t* nodeFlag;               // PathNodeCount, garbage
    float* nodeCost;                 // PathNodeCount, garbage
    uint32_t* cellNode;              // PathNodeCount: node index of cell y * 256 + x, garbage
    uint32_t* unitTableA;            // PathUnitCount, garbage
    uint32_t* unitTableB;            // PathUnitCount, garbage
    uint32_t* pathX;                 // PathUnitCount * PathPointsPerUnit, garbage
    uint32_t* pathY;                 // PathUnitCount * PathPointsPerUnit, garbage
    uint32_t* pathLength;            // PathUnitCount, garbage
    int32_t* pathLast;               // PathUnitCount, PathNoLastPoint each
    uint32_t* pathWord;              // PathUnitCount, 0 each
    int32_t dirX[8];                 // neighbour steps, see SetDirectionOrder
    int32_t dirY[8];
    float dirCost[8];                // 1 straight, 1.4142 diagonal
    int32_t firstDirection;          // the order the direction table was asked for
    uint8_t* windowGrid;             // PathNodeCount, garbage
    PathPointRecord* pointRecords;   // PathPointsPerUnit, garbage
    PathCellRecord* cellRecords;     // PathNodeCount, garbage
    uint8_t searching;               // 1 while a search runs; 0 after creation
};

extern PathWorkspace* pathWorkspace;   // the one workspace: allocated by start-up, filled by CreatePathWorkspace, freed by ReleasePathWorkspace

// Allocates every array of ws (any earlier contents of ws are ignored), sets
// each unit's pathLast to PathNoLastPoint and pathWord to 0, fills the
// direction table in order 0 and clears searching.
void CreatePathWorkspace(PathWorkspace* ws);

// Fills dirX, dirY, dirCost and stores first in firstDirection.
void SetDirectionOrder(PathWorkspace* ws, int first);

// Frees every array of pathWorkspace, then the object, and nulls the pointer.
// Safe when there is none or when its creation stopped half-way.
void ReleasePathWorkspace();
