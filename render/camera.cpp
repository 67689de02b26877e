// Position = the view cursor cell plus the player's cellOffset (px, py, pz).
// Along x and z the offsets run against the world axes: the eye is at
// (SX + 1 - px, SY + py, SZ + 1 - pz). Sines are taken in double precision
// and rounded to single; everything else is single precision, as the saved
// offsets depend on it.
#include "render/camera.h"

#include <cmath>

#include "data/tables.h"
#include "world/run_state.h"
#include "world/volume.h"

static float SinDegrees(float degrees) { return static_cast<float>(std::sin(degrees * DegreesToRadians)); }
static float CosDegrees(float degrees) { return static_cast<float>(std::cos(degrees * DegreesToRadians)); }

constexpr int OutsideCell = 1;   // what ProbeCell answers beyond the volume's faces

int ProbeCell(float fx, float fy, float fz) {
    int x = SX + static_cast<int>(std::floor(fx));
    int y = SY + static_cast<int>(std::floor(fy));
    int z = SZ + static_cast<int>(std::floor(fz));
    if (!InsideVolume(x, y, z)) return OutsideCell;
    return World[CellIndex(x, y, z)];
}

static bool Solid(float fx, float fy, float fz) {
    int v = ProbeCell(fx, fy, fz);
    return v != 0 && v != PanelCell;
}

void CollidePlayer(float u, float v, float w) {
    float* offset = Player().cellOffset;
    float& px = offset[0];
    float& py = offset[1];
    float& pz = offset[2];
    bool open = !Solid(u, v, w);   // the player's own cell

    // Keep at least 0.3 of a cell from a solid neighbour on each axis.
    if (Solid(u - 0.3f, v, w) && open) px = px - (0.3f - u);
    if (Solid(u - 0.2f, v, w)) px = px - 0.2f;
    if (Solid(u + 0.3f, v, w) && open) px = px + (u + 0.3f - 1.0f);
    if (Solid(u + 0.2f, v, w)) px = px + 0.2f;
    if (Solid(u, v - 0.3f, w) && open) py = py + (0.3f - v);
    if (Solid(u, v - 0.2f, w)) py = py + 0.2f;
    if (Solid(u, v + 0.3f, w) && open) py = py - (v + 0.3f - 1.0f);
    if (Solid(u, v + 0.2f, w)) py = py - 0.2f;
    if (Solid(u, v, w - 0.3f) && open) pz = pz - (0.3f - w);
    if (Solid(u, v, w - 0.2f)) pz = pz - 0.2f;
    if (Solid(u, v, w + 0.3f) && open) pz = pz + (w + 0.3f - 1.0f);
    if (Solid(u, v, w + 0.2f)) pz = pz + 0.2f;

    // Head bob on the walking layers (every third layer from 39 down).
    if (SZ >= 39 && SZ % 3 == 0) {
        float bob = static_cast<float>(std::sin(static_cast<float>(Player().stepCount) / 5.0));
        pz = 0.54f + 0.05f * bob;
    }

    // At most one corner push a frame, away from the first solid diagonal.
    if (Solid(u - 0.2f, v - 0.2f, w)) { px = px - 0.2f; py = py + 0.2f; return; }
    if (Solid(u + 0.2f, v + 0.2f, w)) { px = px + 0.2f; py = py - 0.2f; return; }
    if (Solid(u + 0.2f, v - 0.2f, w)) { py = py + 0.2f; px = px + 0.2f; return; }
    if (Solid(u - 0.2f, v + 0.2f, w)) { py = py - 0.2f; px = px - 0.2f; return; }
}

// Moves the cursor one cell when an offset has left 0..1, then keeps the
// cursor inside the volume whatever the offsets or a loaded game held.
static void CrossCells(float& px, float& py, float& pz) {
    if (px > 1.0f) { --SX; px -= 1.0f; }
    if (py > 1.0f) { ++SY; py -= 1.0f; }
    if (px < 0.0f) { ++SX; px += 1.0f; }
    if (py < 0.0f) { --SY; py += 1.0f; }
    if (pz > 1.0f) { --SZ; pz -= 1.0f; }
    if (pz < 0.0f) { ++SZ; pz += 1.0f; }
    if (SX < 0) { SX = 0; px = 1.0f; }
    if (SX >= WorldSide) { SX = WorldSide - 1; px = 0.0f; }
    if (SY < 0) { SY = 0; py = 0.0f; }
    if (SY >= WorldSide) { SY = WorldSide - 1; py = 1.0f; }
    if (SZ < 0) { SZ = 0; pz = 1.0f; }
    if (SZ >= WorldLayers) { SZ = WorldLayers - 1; pz = 0.0f; }
}

// The head bob is sin(stepCount / 5), which repeats to within 0.0001 radians
// every 3,550 steps. A count that has run past the limit (only a crafted or
// very old save holds one) steps back by that period as it moves on, so it
// can never overflow and the bob goes on without a jump.
constexpr int32_t BobPeriodSteps = 3550;
constexpr int32_t StepCountLimit = 1 << 30;

static void CountStep(int direction) {
    int32_t& count = Player().stepCount;
    if (count >= StepCountLimit) count -= BobPeriodSteps;
    else if (count <= -StepCountLimit) count += BobPeriodSteps;
    count += direction;
}

void MovePlayer(bool walkBack) {
    float* offset = Player().cellOffset;
    float& px = offset[0];
    float& py = offset[1];
    float& pz = offset[2];
    float s = 0.1f / static_cast<float>(cycleStep);
    float dz = s * -SinDegrees(Pitch - 90.0f);
    float dx = -SinDegrees(Pitch) * (s * -SinDegrees(Yaw + 180.0f));
    float dy = -SinDegrees(Pitch) * (s * -CosDegrees(Yaw + 180.0f));
    bool stepFrame = frameCounter % cycleStep == 0;
    if (WalkOn) {
        pz -= dz;
        px -= dx;
        py -= dy;
        if (stepFrame) CountStep(+1);
    }
    if (walkBack) {
        pz += dz;
        px += dx;
        py += dy;
        if (stepFrame) CountStep(-1);
    }
    CollidePlayer(1.0f - px, py, 1.0f - pz);
    CrossCells(px, py, pz);
}

void MouseLook(int mx, int my) {
    if (!MouseLookOn) return;
    Yaw = static_cast<float>(-2 * mx + 180 - 160);
    Pitch = static_cast<float>(-my + 90 - 90);
}
