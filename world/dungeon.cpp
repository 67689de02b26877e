// The dungeon plan. Every random draw is part of the result: with the same
// seed the same dungeon grows, so the order of draws below is fixed, and an
// attempt that fails a test stops before the draws of its later steps.
#include "world/dungeon.h"

#include "machine/random.h"
#include "world/templates.h"
#include "world/volume.h"

RoomRecord* RoomList = nullptr;
int roomCount = 0;
int32_t* LayerRoomStart = nullptr;
int32_t* LayerRoomEnd = nullptr;

constexpr int AttemptsPerTurn = 1000;
constexpr int PassDrawLimit = 1000000;
constexpr int FirstCentralTemplate = 13;   // a full 5 x 5 square
constexpr int CentralTemplateChoices = 13;
constexpr int RoomTemplateChoices = 19;

static inline uint8_t& Cell(int x, int y, int z) { return World[CellIndex(x, y, z)]; }

int RectAllEqual(int x1, int y1, int x2, int y2, int z, uint8_t value) {
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            if (x < 0 || x >= WorldSide || y < 0 || y >= WorldSide) return 1;
            if (Cell(x, y, z) != value) return 1;
        }
    }
    return 0;
}

int FillRect(int x1, int y1, int x2, int y2, int z, uint8_t value) {
    if (RectAllEqual(x1, y1, x2, y2, z, 0)) return 1;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) Cell(x, y, z) = value;
    return 0;
}

void StampRoom(int x, int y, int z) {
    for (int r = 0; r < TemplateH; ++r) {
        for (int c = 0; c < TemplateW; ++c) {
            int8_t g = TemplateGrid[r * TemplateGridSide + c];
            int cx = x + c, cy = y + r;
            if (g == 0 || cx < 0 || cx >= WorldSide || cy < 0 || cy >= WorldSide) continue;
            if (g == 1) Cell(cx, cy, z) = Floor;
            else if (g == 3) Cell(cx, cy, z) = Special;
        }
    }
}

static void AppendRoom(int x, int y, int z, int templateIndex) {
    RoomList[roomCount] = RoomRecord{static_cast<uint16_t>(x), static_cast<uint16_t>(y),
                                     static_cast<uint16_t>(TemplateW), static_cast<uint16_t>(TemplateH),
                                     static_cast<uint16_t>(z), roomCount, static_cast<uint8_t>(templateIndex)};
    ++roomCount;
}

// One placement attempt on layer z; true when a room was placed.
static bool TryPlaceRoom(int z) {
    int orientation = RandomBelow(4);
    int templateIndex = RandomBelow(RoomTemplateChoices);
    const RoomRecord& parent = RoomList[LayerRoomStart[z] + RandomBelow(roomCount - LayerRoomStart[z])];
    int px = parent.x + RandomBelow(parent.w);
    int py = parent.y + RandomBelow(parent.h);
    if (px < 3 || py < 3 || px > 253 || py > 253) return false;

    // The doorway cell D next to the parent's floor cell, and the anchor A beyond it.
    static const int StepX[4] = {0, 0, 1, -1};
    static const int StepY[4] = {1, -1, 0, 0};
    int direction = RandomBelow(4);
    int dx = px + StepX[direction], dy = py + StepY[direction];
    int ax = px + 2 * StepX[direction], ay = py + 2 * StepY[direction];
    if (Cell(px, py, z) != Floor || Cell(dx, dy, z) != Rock || Cell(ax, ay, z) != Rock) return false;

    TemplateSize(templateIndex, orientation);
    int ox = RandomBelow(TemplateW);
    int oy = RandomBelow(TemplateH);
    int x = ax - ox, y = ay - oy;
    // The footprint and a one-cell margin must be solid rock, so rooms meet only at their doorway.
    if (RectAllEqual(x - 1, y - 1, x + TemplateW, y + TemplateH, z, Rock)) return false;
    LoadTemplate(templateIndex, orientation);
    if (TemplateGrid[oy * TemplateGridSide + ox] != 1) return false;

    StampRoom(x, y, z);
    AppendRoom(x, y, z, templateIndex);
    Cell(dx, dy, z) = RandomBelow(3) == 1 ? Door : Floor;
    return true;
}

// Lays the rock square and grows the room tree of layer z; false stops the generator.
static bool GrowLayer(int centreX, int centreY, int firstLayer, int z, int rockSpan, int roomTurns) {
    int half = rockSpan / 2;
    if (FillRect(centreX - half, centreY - half, centreX + half, centreY + half, z, Rock)) return false;

    int central = z == firstLayer ? FirstCentralTemplate : RandomBelow(CentralTemplateChoices);
    LoadTemplate(central, 0);
    int x = centreX - TemplateW / 2, y = centreY - TemplateH / 2;
    if (RectAllEqual(x - 1, y - 1, x + TemplateW, y + TemplateH, z, Rock)) return false;
    StampRoom(x, y, z);
    LayerRoomStart[z] = roomCount;
    AppendRoom(x, y, z, central);

    for (int turn = 0; turn < roomTurns && roomCount < RoomListCapacity; ++turn) {
        for (int attempt = 0; attempt < AttemptsPerTurn; ++attempt) {
            if (TryPlaceRoom(z)) break;
        }
    }
    LayerRoomEnd[z] = roomCount;
    return true;
}

// Draws a cell of a random room of layer z: room, then dx, then dy.
static void DrawRoomCell(int z, int n, int* qx, int* qy) {
    const RoomRecord& room = RoomList[LayerRoomStart[z] + RandomBelow(n)];
    int dx = RandomBelow(room.w);
    int dy = RandomBelow(room.h);
    *qx = room.x + dx;
    *qy = room.y + dy;
}

// Scatters one kind of furnishing: one more than the target lands, none when the target is 0.
static void Furnish(int z, int n, int target, uint8_t mark) {
    if (target <= 0) return;
    int placed = 0;
    for (int draws = 0; draws < PassDrawLimit && placed <= target; ++draws) {
        int qx, qy;
        DrawRoomCell(z, n, &qx, &qy);
        if (Cell(qx, qy, z) == Floor) {
            Cell(qx, qy, z) = mark;
            ++placed;
        }
    }
}

static void PlaceStairs(int z, int n, int target) {
    int placed = 0;
    for (int draws = 0; draws < PassDrawLimit && placed < target; ++draws) {
        int qx, qy;
        DrawRoomCell(z, n, &qx, &qy);
        if (Cell(qx, qy, z) == Floor && Cell(qx, qy, z - 1) == Floor) {
            Cell(qx, qy, z) = StairFoot;
            Cell(qx, qy, z - 1) = StairHead;
            ++placed;
        }
    }
}

void GenerateDungeon(int centreX, int centreY, int firstLayer, int layerCount, int rockSpan, int roomTurns) {
    roomCount = 0;
    int lastLayer = firstLayer + layerCount - 1;
    for (int z = firstLayer; z <= lastLayer; ++z) {
        if (z < 0 || z >= WorldLayers) return;   // the plan must lie inside the volume
        if (!GrowLayer(centreX, centreY, firstLayer, z, rockSpan, roomTurns)) return;
    }
    for (int z = firstLayer; z <= lastLayer; ++z) {
        int n = LayerRoomEnd[z] - LayerRoomStart[z];
        if (n <= 0) continue;
        if (z > firstLayer) PlaceStairs(z, n, rockSpan / 32 + 1);
        Furnish(z, n, n / 25, Chest);
        Furnish(z, n, n / 5, Candelabrum);
        Furnish(z, n, n / 40, Scroll);
        Furnish(z, n, n / 25, Coffin);
        Furnish(z, n, n / 60, Fountain);
    }
}
