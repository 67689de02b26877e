#include "render/sight.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "world/volume.h"

long long sightFillCells = 0;

// How far from the eye the near plane can cut a face: the corners of the
// near rectangle lie 0.12 cells away; a quarter cell is a safe margin.
constexpr float NearReach = 0.25f;

static int boxLo[3], boxSize[3];
// Per box cell, x fastest: Reached, OutOfView (tested once and left), and
// Near for the cells within one step of a reached one, diagonals included.
static std::vector<uint8_t> seen;
constexpr uint8_t Reached = 1, OutOfView = 2, Near = 4;
static std::vector<uint32_t> queue;    // box cells as x | y << 10 | z << 20

// What the last fill was made for.
static bool kept = false;
static int keptLo[3], keptHi[3];
static ViewPlanes keptView;
static uint32_t keptRevision = 0;

void ForgetSight() { kept = false; }

static bool Solid(uint8_t v) { return v != 0 && v != PanelCell; }

// Whether a line of sight crosses the plane between a cell of value a and
// its neighbour of value b along axis 0 (x), 1 (y) or 2 (z). A solid cell
// draws its face toward an empty neighbour, and toward a panel only across
// the horizontal planes between layers.
static bool Crosses(uint8_t a, uint8_t b, int axis) {
    const bool solidA = Solid(a), solidB = Solid(b);
    if (solidA == solidB) return true;
    const uint8_t open = solidA ? b : a;
    return open == PanelCell && axis != 2;
}

bool BoxMayShow(const ViewPlanes& view, const float lo[3], const float hi[3]) {
    constexpr double Margin = 0.01;   // cells; far above float rounding, far below a cell
    for (const auto& plane : view.plane) {
        double d = plane[3];
        for (int a = 0; a < 3; ++a) d += plane[a] * (plane[a] > 0.0 ? hi[a] : lo[a]);
        if (d < -Margin) return false;
    }
    return true;
}

static bool CellMayShow(const ViewPlanes& view, int x, int y, int z) {
    const float lo[3] = {x - 0.5f, y - 0.5f, z - 0.5f}, hi[3] = {x + 0.5f, y + 0.5f, z + 0.5f};
    return BoxMayShow(view, lo, hi);
}

bool FillSight(const int lo[3], const int hi[3], const float eye[3], const ViewPlanes& view) {
    int start[6];
    for (int a = 0; a < 3; ++a) {
        start[a * 2] = static_cast<int>(std::ceil(eye[a] - 0.5f - NearReach));
        start[a * 2 + 1] = static_cast<int>(std::floor(eye[a] + 0.5f + NearReach));
        if (start[a * 2] < lo[a] || start[a * 2 + 1] > hi[a]) {
            kept = false;
            return false;
        }
    }
    // The view's side planes meet at the eye, so the same view means the same start cells.
    if (kept && keptRevision == WorldRevision() && !std::memcmp(keptLo, lo, sizeof keptLo) &&
        !std::memcmp(keptHi, hi, sizeof keptHi) && !std::memcmp(&keptView, &view, sizeof view))
        return true;
    kept = true;
    keptRevision = WorldRevision();
    std::memcpy(keptLo, lo, sizeof keptLo);
    std::memcpy(keptHi, hi, sizeof keptHi);
    keptView = view;

    for (int a = 0; a < 3; ++a) boxLo[a] = lo[a], boxSize[a] = hi[a] - lo[a] + 1;
    const int stepY = boxSize[0], stepZ = boxSize[0] * boxSize[1];
    seen.assign(static_cast<size_t>(stepZ) * boxSize[2], 0);
    queue.clear();
    for (int z = start[4]; z <= start[5]; ++z)
        for (int y = start[2]; y <= start[3]; ++y)
            for (int x = start[0]; x <= start[1]; ++x) {
                const int lx = x - lo[0], ly = y - lo[1], lz = z - lo[2];
                seen[lz * stepZ + ly * stepY + lx] = Reached;
                queue.push_back(static_cast<uint32_t>(lx | ly << 10 | lz << 20));
            }

    const int worldStep[3] = {1, WorldSide, PlaneSize};
    const int localStep[3] = {1, stepY, stepZ};
    for (size_t next = 0; next < queue.size(); ++next) {
        const uint32_t packed = queue[next];
        const int l[3] = {static_cast<int>(packed & 1023), static_cast<int>(packed >> 10 & 1023), static_cast<int>(packed >> 20)};
        const int i = l[2] * stepZ + l[1] * stepY + l[0];
        const int w = CellIndex(l[0] + lo[0], l[1] + lo[1], l[2] + lo[2]);
        const uint8_t v = World[w];
        for (int a = 0; a < 3; ++a)
            for (int side = -1; side <= 1; side += 2) {
                int n[3] = {l[0], l[1], l[2]};
                n[a] += side;
                if (n[a] < 0 || n[a] >= boxSize[a]) continue;
                const int j = i + side * localStep[a];
                if ((seen[j] & (Reached | OutOfView)) || !Crosses(v, World[w + side * worldStep[a]], a)) continue;
                if (!CellMayShow(view, n[0] + lo[0], n[1] + lo[1], n[2] + lo[2])) {
                    seen[j] = OutOfView;
                    continue;
                }
                seen[j] = Reached;
                queue.push_back(static_cast<uint32_t>(n[0] | n[1] << 10 | n[2] << 20));
            }
    }
    // A face that no line of sight reaches can still win a depth tie against
    // the face in front of it when the two lie closer than the depth buffer
    // resolves, and then it shows. A face one step or more away from every
    // reached cell lies at least a cell behind whatever hides it, which the
    // 16-bit depth buffer tells apart at every distance the view reaches; so
    // faces near reached cells are kept as if reached.
    for (const uint32_t packed : queue) {
        const int l[3] = {static_cast<int>(packed & 1023), static_cast<int>(packed >> 10 & 1023), static_cast<int>(packed >> 20)};
        int from[3], to[3];
        for (int a = 0; a < 3; ++a) {
            from[a] = l[a] > 0 ? l[a] - 1 : 0;
            to[a] = l[a] + 1 < boxSize[a] ? l[a] + 1 : boxSize[a] - 1;
        }
        for (int z = from[2]; z <= to[2]; ++z)
            for (int y = from[1]; y <= to[1]; ++y) {
                uint8_t* row = &seen[static_cast<size_t>(z) * stepZ + static_cast<size_t>(y) * stepY];
                for (int x = from[0]; x <= to[0]; ++x) row[x] |= Near;
            }
    }
    sightFillCells += static_cast<long long>(queue.size());
    return true;
}

bool CellSeen(int x, int y, int z) {
    x -= boxLo[0], y -= boxLo[1], z -= boxLo[2];
    if (x < 0 || y < 0 || z < 0 || x >= boxSize[0] || y >= boxSize[1] || z >= boxSize[2]) return false;
    return (seen[(static_cast<size_t>(z) * boxSize[1] + y) * boxSize[0] + x] & Near) != 0;
}
