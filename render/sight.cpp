#include "render/sight.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "world/volume.h"

long long sightFillCells = 0;

// How far from the eye the near plane can cut a face: the corners of the
// near rectangle lie 0.12 cells away; a quarter cell is a safe margin.
constexpr float NearReach = 0.25f;

// How far outside a plane a box may lie and still count as in view: far
// above the rounding of the plane values, far below a cell.
constexpr double ViewMargin = 0.01;

static int boxLo[3], boxSize[3];
// Per box cell, x fastest: Reached, or OutOfView (tested once and left).
static std::vector<uint8_t> seen;
constexpr uint8_t Reached = 1, OutOfView = 2;
static std::vector<uint32_t> queue;    // box cells as x | y << 10 | z << 20

static uint32_t Pack(int x, int y, int z) { return static_cast<uint32_t>(x | y << 10 | z << 20); }
static void Unpack(uint32_t packed, int* x, int* y, int* z) {
    *x = static_cast<int>(packed & 1023), *y = static_cast<int>(packed >> 10 & 1023), *z = static_cast<int>(packed >> 20);
}
static std::vector<uint8_t> nearby;    // per box cell: 1 within one step of a reached cell
static std::vector<uint8_t> scratch;

// to[i] = from[i - step] | from[i] | from[i + step], along one axis of the
// box whose cells lie `step` apart and which has `count` cells along it.
static void Widen(const uint8_t* from, uint8_t* to, int step, int count, int total) {
    if (step == 1) {
        // Along x the lines are the rows: one pass over everything, then the
        // ends of each row put right, where the pass reached into the next row.
        to[0] = from[0];
        to[total - 1] = from[total - 1];
        for (int i = 1; i + 1 < total; ++i) to[i] = from[i - 1] | from[i] | from[i + 1];
        for (int row = 0; row < total; row += count) {
            const int last = row + count - 1;
            to[row] = from[row] | (count > 1 ? from[row + 1] : 0);
            to[last] = from[last] | (count > 1 ? from[last - 1] : 0);
        }
        return;
    }
    const int span = step * count;   // one line of cells along the axis, with everything between
    for (int base = 0; base < total; base += span)
        for (int k = 0; k < count; ++k) {
            const uint8_t* here = from + base + k * step;
            uint8_t* out = to + base + k * step;
            const uint8_t* before = k > 0 ? here - step : here;
            const uint8_t* after = k + 1 < count ? here + step : here;
            for (int i = 0; i < step; ++i) out[i] = before[i] | here[i] | after[i];
        }
}

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
    for (const auto& plane : view.plane) {
        double d = plane[3];
        for (int a = 0; a < 3; ++a) d += plane[a] * (plane[a] > 0.0 ? hi[a] : lo[a]);
        if (d < -ViewMargin) return false;
    }
    return true;
}

// BoxMayShow for the cells of the box, with each plane's value split by
// axis: the plane's value at a cell's leading corner is the sum of one term
// per axis, and the cell is out of view when that sum lies below minus the
// margin for one of the six planes.
struct CellTest {
    std::vector<double> terms[6][3];   // per plane and axis, per box cell along that axis

    void Prepare(const ViewPlanes& view, const int lo[3], const int size[3]) {
        for (int p = 0; p < 6; ++p) {
            const double* plane = view.plane[p];
            for (int a = 0; a < 3; ++a) {
                terms[p][a].resize(static_cast<size_t>(size[a]));
                // The corner that leads along this axis lies half a cell out.
                double constant = 0.5 * std::fabs(plane[a]);
                if (a == 0) constant += plane[3] + ViewMargin;
                for (int i = 0; i < size[a]; ++i) terms[p][a][static_cast<size_t>(i)] = plane[a] * (lo[a] + i) + constant;
            }
        }
    }
    bool MayShow(int x, int y, int z) const {
        for (const auto& plane : terms)
            if (plane[0][static_cast<size_t>(x)] + plane[1][static_cast<size_t>(y)] + plane[2][static_cast<size_t>(z)] < 0.0)
                return false;
        return true;
    }
};
static CellTest cellTest;

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
    cellTest.Prepare(view, lo, boxSize);
    seen.assign(static_cast<size_t>(stepZ) * boxSize[2], 0);
    queue.clear();
    for (int z = start[4]; z <= start[5]; ++z)
        for (int y = start[2]; y <= start[3]; ++y)
            for (int x = start[0]; x <= start[1]; ++x) {
                const int lx = x - lo[0], ly = y - lo[1], lz = z - lo[2];
                seen[lz * stepZ + ly * stepY + lx] = Reached;
                queue.push_back(Pack(lx, ly, lz));
            }

    for (size_t next = 0; next < queue.size(); ++next) {
        int x, y, z;
        Unpack(queue[next], &x, &y, &z);
        const int i = z * stepZ + y * stepY + x;
        const int w = CellIndex(x + lo[0], y + lo[1], z + lo[2]);
        const uint8_t v = World[w];
        // One neighbour: inside the box, not met before, across a plane
        // without a face, and inside the view.
        const auto visit = [&](bool inside, int step, int worldStep, int axis, int nx, int ny, int nz) {
            if (!inside) return;
            const int j = i + step;
            if (seen[j] || !Crosses(v, World[w + worldStep], axis)) return;
            if (!cellTest.MayShow(nx, ny, nz)) {
                seen[j] = OutOfView;
                return;
            }
            seen[j] = Reached;
            queue.push_back(Pack(nx, ny, nz));
        };
        visit(x > 0, -1, -1, 0, x - 1, y, z);
        visit(x + 1 < boxSize[0], 1, 1, 0, x + 1, y, z);
        visit(y > 0, -stepY, -WorldSide, 1, x, y - 1, z);
        visit(y + 1 < boxSize[1], stepY, WorldSide, 1, x, y + 1, z);
        visit(z > 0, -stepZ, -PlaneSize, 2, x, y, z - 1);
        visit(z + 1 < boxSize[2], stepZ, PlaneSize, 2, x, y, z + 1);
    }
    // A face that no line of sight reaches can still win a depth tie against
    // the face in front of it when the two lie closer than the depth buffer
    // resolves, and then it shows. A face one step or more away from every
    // reached cell lies at least a cell behind whatever hides it, which the
    // 16-bit depth buffer tells apart at every distance the view reaches; so
    // faces near reached cells are kept as if reached. The cells one step
    // away, diagonals included, are found one axis at a time.
    nearby.assign(seen.size(), 0);
    for (const uint32_t packed : queue) {
        int x, y, z;
        Unpack(packed, &x, &y, &z);
        nearby[static_cast<size_t>(z * stepZ + y * stepY + x)] = 1;
    }
    scratch.resize(seen.size());
    Widen(nearby.data(), scratch.data(), 1, boxSize[0], static_cast<int>(seen.size()));
    Widen(scratch.data(), nearby.data(), stepY, boxSize[1], static_cast<int>(seen.size()));
    Widen(nearby.data(), scratch.data(), stepZ, boxSize[2], static_cast<int>(seen.size()));
    nearby.swap(scratch);
    sightFillCells += static_cast<long long>(queue.size());
    return true;
}

// The box cell of world cell (x, y, z) in `at`; false outside the box.
static bool BoxCell(int x, int y, int z, size_t* at) {
    x -= boxLo[0], y -= boxLo[1], z -= boxLo[2];
    if (x < 0 || y < 0 || z < 0 || x >= boxSize[0] || y >= boxSize[1] || z >= boxSize[2]) return false;
    *at = (static_cast<size_t>(z) * boxSize[1] + y) * boxSize[0] + x;
    return true;
}

bool CellSeen(int x, int y, int z) {
    size_t at;
    return BoxCell(x, y, z, &at) && nearby[at] != 0;
}

bool BackFaceMayShow(int x, int y, int z, int axis) {
    size_t at;
    if (!BoxCell(x, y, z, &at) || seen[at] == Reached) return true;
    // The two axes of the face's layer.
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    for (int du = -1; du <= 1; ++du)
        for (int dv = -1; dv <= 1; ++dv) {
            int n[3] = {x, y, z};
            n[u] += du, n[v] += dv;
            if (!Solid(ReadCell(World, n[0], n[1], n[2]))) return true;   // outside the volume reads open
        }
    return false;
}
