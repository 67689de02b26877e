#include "render/voxel_fast.h"

#include <cmath>
#include <vector>

#include "render/textures.h"
#include "render/voxel.h"
#include "render/voxel_faces.h"
#include "world/run_state.h"
#include "world/volume.h"

bool frustumCulling = true;
long long collectedBlocks = 0;

// One vertex as glInterleavedArrays(GL_T2F_V3F) reads it.
struct ArrayVertex {
    float s, t, x, y, z;
};

// The vertices of one cell value inside a block: its texture is TextureForCell(value).
// Panels go with value 1 and objective markers with value 10, whose textures they use.
struct Run {
    int value;
    int first, count;   // in vertices
};

// Blocks are aligned to the world grid, so a block that lies wholly inside
// the MVD cube keeps its faces however the cursor moves.
constexpr int BlockShift = 3;
constexpr int BlockSide = 1 << BlockShift;
constexpr int BlocksAcross = WorldSide / BlockSide;
constexpr int BlocksDown = (WorldLayers + BlockSide - 1) / BlockSide;

struct Block {
    int lo[3], hi[3];   // the cells collected, inclusive, world x, y, z
    uint32_t revision;  // WorldRevision() when collected
    int generation;     // listGeneration when collected
    // Model axes relative to the block's origin cell: x - ox, oy - y, z - oz.
    std::vector<ArrayVertex> vertices;
    std::vector<Run> runs;   // in increasing value
};

static std::vector<Block> Blocks;   // BlocksAcross x BlocksAcross x BlocksDown, made on first use
static int listGeneration = 0;      // bumped by InvalidateFaceList

constexpr int BatchCount = 256;
static std::vector<ArrayVertex> Scratch[BatchCount];   // one block's faces per value while it is collected
static std::vector<ArrayVertex> Batches[BatchCount];   // this frame's faces per value, in model coordinates

void InvalidateFaceList() { ++listGeneration; }

// Appends a quad of half-size h, scaled by `scale`, around the cell at
// (mx, my, mz) in block-local model coordinates.
static void AddQuad(std::vector<ArrayVertex>& batch, const FaceQuad& quad, float mx, float my, float mz, float scale) {
    for (const FaceVertex& v : quad.vertices)
        batch.push_back({v.s, v.t, mx + v.x * scale, my + v.y * scale, mz + v.z * scale});
}

// Collects the faces of the block's cells from lo to hi (inside the volume's
// faces, so every neighbour read exists), grouped by value in cell order.
static void CollectBlock(Block& block, int bx, int by, int bz, const int lo[3], const int hi[3]) {
    static const int NeighbourStep[6] = {PlaneSize, -PlaneSize, -WorldSide, WorldSide, 1, -1};
    bool used[BatchCount] = {};
    int ox = bx << BlockShift, oy = by << BlockShift, oz = bz << BlockShift;
    for (int z = lo[2]; z <= hi[2]; ++z) {
        for (int y = lo[1]; y <= hi[1]; ++y) {
            int row = CellIndex(0, y, z);
            for (int x = lo[0]; x <= hi[0]; ++x) {
                int i = row + x;
                uint8_t v = World[i];
                bool marker = Flagmap[i] == ObjectiveFlag;
                if (v == 0 && !marker) continue;
                float mx = static_cast<float>(x - ox), my = static_cast<float>(oy - y), mz = static_cast<float>(z - oz);
                if (v == PanelCell) {
                    AddQuad(Scratch[1], PanelQuad, mx, my, mz, 0.5f);
                    used[1] = true;
                } else if (v != 0) {
                    for (int f = 0; f < 6; ++f)
                        if (FaceShows(f, World[i + NeighbourStep[f]])) {
                            AddQuad(Scratch[v], CubeFaces[f], mx, my, mz, 0.5f);
                            used[v] = true;
                        }
                }
                if (marker) {
                    // The marker sits inside the cell's own half scale, which an occupied cell halves again.
                    float scale = (v == 0 ? 0.5f : 0.25f) * MarkerHalfSize;
                    for (const FaceQuad& face : CubeFaces) AddQuad(Scratch[ObjectiveFlag], face, mx, my, mz, scale);
                    used[ObjectiveFlag] = true;
                }
            }
        }
    }
    block.vertices.clear();
    block.runs.clear();
    for (int value = 0; value < BatchCount; ++value) {
        if (!used[value]) continue;
        std::vector<ArrayVertex>& faces = Scratch[value];
        block.runs.push_back({value, static_cast<int>(block.vertices.size()), static_cast<int>(faces.size())});
        block.vertices.insert(block.vertices.end(), faces.begin(), faces.end());
        faces.clear();
    }
    for (int a = 0; a < 3; ++a) block.lo[a] = lo[a], block.hi[a] = hi[a];
    block.revision = WorldRevision();
    block.generation = listGeneration;
    ++collectedBlocks;
}

static bool Current(const Block& block, const int lo[3], const int hi[3]) {
    if (block.revision != WorldRevision() || block.generation != listGeneration) return false;
    for (int a = 0; a < 3; ++a)
        if (block.lo[a] != lo[a] || block.hi[a] != hi[a]) return false;
    return true;
}

// The six planes of the view volume in model coordinates (after the camera),
// each scaled to unit normal so that a plane value is a distance in cells.
struct Frustum {
    double plane[6][4];
};

static Frustum CurrentFrustum() {
    GLfloat p[16], m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    double c[4][4];   // c[row][column] = projection x model-view
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += static_cast<double>(p[k * 4 + r]) * m[col * 4 + k];
            c[r][col] = sum;
        }
    // A point is inside when -w <= x, y, z <= w in clip space: w +- each of the first three rows.
    Frustum f;
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            double* plane = f.plane[axis * 2 + side];
            double sign = side == 0 ? 1.0 : -1.0;
            for (int col = 0; col < 4; ++col) plane[col] = c[3][col] + sign * c[axis][col];
            double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            if (length > 0.0)
                for (int col = 0; col < 4; ++col) plane[col] /= length;
        }
    return f;
}

// Whether any part of the box can be inside the view volume: false only when
// the whole box lies beyond one plane by more than a safety margin, so that
// rounding in the plane values can never drop a face that shows a pixel.
static bool BoxMayShow(const Frustum& f, const float lo[3], const float hi[3]) {
    constexpr double Margin = 0.01;   // cells; far above float rounding, far below a block
    for (const auto& plane : f.plane) {
        double d = plane[3];
        for (int a = 0; a < 3; ++a) d += plane[a] * (plane[a] > 0.0 ? hi[a] : lo[a]);
        if (d < -Margin) return false;
    }
    return true;
}

void DrawVisibleCellsFast() {
    if (Blocks.empty()) Blocks.resize(static_cast<size_t>(BlocksAcross) * BlocksAcross * BlocksDown);
    glPushMatrix();
    ApplyCamera();
    const Frustum frustum = CurrentFrustum();

    // The MVD cube, cut to the cells one inside the volume's faces.
    const int cursor[3] = {SX, SY, SZ};
    const int last[3] = {WorldSide - 2, WorldSide - 2, WorldLayers - 2};
    int lo[3], hi[3];
    bool empty = false;
    for (int a = 0; a < 3; ++a) {
        lo[a] = cursor[a] - MVD < 1 ? 1 : cursor[a] - MVD;
        hi[a] = cursor[a] + MVD > last[a] ? last[a] : cursor[a] + MVD;
        empty = empty || lo[a] > hi[a];
    }

    static std::vector<int> filled;   // values whose batch holds faces this frame
    for (int value : filled) Batches[value].clear();
    filled.clear();
    long long faces = 0;
    if (!empty) {
        for (int bz = lo[2] >> BlockShift; bz <= hi[2] >> BlockShift; ++bz)
            for (int by = lo[1] >> BlockShift; by <= hi[1] >> BlockShift; ++by)
                for (int bx = lo[0] >> BlockShift; bx <= hi[0] >> BlockShift; ++bx) {
                    const int b[3] = {bx, by, bz};
                    int cutLo[3], cutHi[3];
                    for (int a = 0; a < 3; ++a) {
                        int first = b[a] << BlockShift;
                        cutLo[a] = lo[a] > first ? lo[a] : first;
                        cutHi[a] = hi[a] < first + BlockSide - 1 ? hi[a] : first + BlockSide - 1;
                    }
                    // The cells' extent in model coordinates: x - SX, SY - y, z - SZ, half a cell around each.
                    const float boxLo[3] = {cutLo[0] - SX - 0.5f, SY - cutHi[1] - 0.5f, cutLo[2] - SZ - 0.5f};
                    const float boxHi[3] = {cutHi[0] - SX + 0.5f, SY - cutLo[1] + 0.5f, cutHi[2] - SZ + 0.5f};
                    if (frustumCulling && !BoxMayShow(frustum, boxLo, boxHi)) continue;

                    Block& block = Blocks[(static_cast<size_t>(bz) * BlocksAcross + by) * BlocksAcross + bx];
                    if (!Current(block, cutLo, cutHi)) CollectBlock(block, bx, by, bz, cutLo, cutHi);
                    // Block-local coordinates to the cursor's: the block origin's own offset.
                    const float dx = static_cast<float>((bx << BlockShift) - SX);
                    const float dy = static_cast<float>(SY - (by << BlockShift));
                    const float dz = static_cast<float>((bz << BlockShift) - SZ);
                    for (const Run& run : block.runs) {
                        std::vector<ArrayVertex>& batch = Batches[run.value];
                        if (batch.empty()) filled.push_back(run.value);
                        size_t at = batch.size();
                        batch.resize(at + static_cast<size_t>(run.count));
                        const ArrayVertex* src = block.vertices.data() + run.first;
                        ArrayVertex* dst = batch.data() + at;
                        for (int i = 0; i < run.count; ++i)
                            dst[i] = {src[i].s, src[i].t, src[i].x + dx, src[i].y + dy, src[i].z + dz};
                        faces += run.count / 4;
                    }
                }
    }

    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int value = 0; value < BatchCount; ++value) {
        const std::vector<ArrayVertex>& batch = Batches[value];
        if (batch.empty()) continue;
        glBindTexture(GL_TEXTURE_2D, TextureForCell(static_cast<uint8_t>(value)));
        glInterleavedArrays(GL_T2F_V3F, 0, batch.data());
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(batch.size()));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopMatrix();
    renderedFaces += faces;
}
