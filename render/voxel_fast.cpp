#include "render/voxel_fast.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/sight.h"
#include "render/textures.h"
#include "render/voxel.h"
#include "render/voxel_faces.h"
#include "world/run_state.h"
#include "world/volume.h"

bool viewCulling = true;
long long collectedBlocks = 0;

// One vertex as glInterleavedArrays(GL_T2F_V3F) reads it.
struct ArrayVertex {
    float s, t, x, y, z;
};

// Which cells decide whether a quad may be seen: the cell it belongs to and,
// for a cube face, the neighbour the face looks into. Packed as x, y, z and
// the face (0..5, or NoNeighbour for panels and markers), a byte each.
using QuadCells = uint32_t;
constexpr uint32_t NoNeighbour = 6;

static QuadCells PackCells(int x, int y, int z, uint32_t face) {
    return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(z) << 16 | face << 24;
}

// Whether a line of sight may reach the quad. A cube face is seen from its
// open side only by an eye on that side of its plane, and from behind only
// by a line that came through its own cell (rock seen through a panel's
// side); a panel or a marker is seen wherever its cell is.
static bool QuadMayBeSeen(QuadCells cells, const float eye[3]) {
    const int c[3] = {static_cast<int>(cells & 0xFF), static_cast<int>(cells >> 8 & 0xFF), static_cast<int>(cells >> 16 & 0xFF)};
    const uint32_t face = cells >> 24;
    if (face == NoNeighbour) return CellSeen(c[0], c[1], c[2]);
    const int* n = CubeFaces[face].neighbour;
    const int axis = n[0] != 0 ? 0 : n[1] != 0 ? 1 : 2;
    const float sign = static_cast<float>(n[axis]);
    const float beyond = (eye[axis] - (static_cast<float>(c[axis]) + 0.5f * sign)) * sign;   // > 0 on the open side
    // A face in a plane through the eye is seen edge-on: OpenGL may still
    // draw it as a sliver with a depth of its own, so it is always kept.
    constexpr float Slack = 0.01f;
    if (beyond > -Slack && beyond < Slack) return true;
    if (beyond > 0.0f) return CellSeen(c[0] + n[0], c[1] + n[1], c[2] + n[2]);
    return CellSeen(c[0], c[1], c[2]) && BackFaceMayShow(c[0], c[1], c[2], axis);
}

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
    std::vector<QuadCells> quads;   // one for each 4 vertices
    std::vector<Run> runs;          // in increasing value
};

static std::vector<Block> Blocks;   // BlocksAcross x BlocksAcross x BlocksDown, made on first use
static int listGeneration = 0;      // bumped by InvalidateFaceList

constexpr int BatchCount = 256;
static std::vector<ArrayVertex> Scratch[BatchCount];   // one block's faces per value while it is collected
static std::vector<QuadCells> ScratchCells[BatchCount];
static std::vector<ArrayVertex> Batches[BatchCount];   // this frame's faces per value, in model coordinates

void InvalidateFaceList() {
    ++listGeneration;
    ForgetSight();
}

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
                    ScratchCells[1].push_back(PackCells(x, y, z, NoNeighbour));
                    used[1] = true;
                } else if (v != 0) {
                    for (int f = 0; f < 6; ++f)
                        if (FaceShows(f, World[i + NeighbourStep[f]])) {
                            AddQuad(Scratch[v], CubeFaces[f], mx, my, mz, 0.5f);
                            ScratchCells[v].push_back(PackCells(x, y, z, static_cast<uint32_t>(f)));
                            used[v] = true;
                        }
                }
                if (marker) {
                    // The marker sits inside the cell's own half scale, which an occupied cell halves again.
                    float scale = (v == 0 ? 0.5f : 0.25f) * MarkerHalfSize;
                    for (const FaceQuad& face : CubeFaces) {
                        AddQuad(Scratch[ObjectiveFlag], face, mx, my, mz, scale);
                        ScratchCells[ObjectiveFlag].push_back(PackCells(x, y, z, NoNeighbour));
                    }
                    used[ObjectiveFlag] = true;
                }
            }
        }
    }
    block.vertices.clear();
    block.quads.clear();
    block.runs.clear();
    for (int value = 0; value < BatchCount; ++value) {
        if (!used[value]) continue;
        std::vector<ArrayVertex>& faces = Scratch[value];
        block.runs.push_back({value, static_cast<int>(block.vertices.size()), static_cast<int>(faces.size())});
        block.vertices.insert(block.vertices.end(), faces.begin(), faces.end());
        block.quads.insert(block.quads.end(), ScratchCells[value].begin(), ScratchCells[value].end());
        faces.clear();
        ScratchCells[value].clear();
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

// The six planes of the view volume in world cells. OpenGL gives them in
// model coordinates (x - SX, SY - y, z - SZ), which are turned round here.
static ViewPlanes CurrentView() {
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
    ViewPlanes view;
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            double model[4];
            double sign = side == 0 ? 1.0 : -1.0;
            for (int col = 0; col < 4; ++col) model[col] = c[3][col] + sign * c[axis][col];
            double length = std::sqrt(model[0] * model[0] + model[1] * model[1] + model[2] * model[2]);
            if (length > 0.0)
                for (double& value : model) value /= length;
            double* plane = view.plane[axis * 2 + side];
            plane[0] = model[0];
            plane[1] = -model[1];
            plane[2] = model[2];
            plane[3] = model[3] - model[0] * SX + model[1] * SY - model[2] * SZ;
        }
    return view;
}

// The blocks that hold cells of the box lo..hi, nearest to the eye first, so
// that nearer faces fill the depth buffer before the ones they hide: software
// OpenGL then skips the texturing of most hidden fragments. Ties go by block
// position, so the order, and with it every depth tie, is the same for the
// same view whether or not anything is culled.
struct BlockAt {
    int distance;   // squared, in cells, from the eye to the block's centre, rounded down
    int b[3];
    bool operator<(const BlockAt& o) const {
        if (distance != o.distance) return distance < o.distance;
        for (int a = 2; a >= 0; --a)
            if (b[a] != o.b[a]) return b[a] < o.b[a];
        return false;
    }
};

static const std::vector<BlockAt>& BlocksNearestFirst(const int lo[3], const int hi[3], const float eye[3]) {
    static std::vector<BlockAt> order;
    order.clear();
    constexpr float HalfBlock = (BlockSide - 1) * 0.5f;
    for (int bz = lo[2] >> BlockShift; bz <= hi[2] >> BlockShift; ++bz)
        for (int by = lo[1] >> BlockShift; by <= hi[1] >> BlockShift; ++by)
            for (int bx = lo[0] >> BlockShift; bx <= hi[0] >> BlockShift; ++bx) {
                const float d[3] = {(bx << BlockShift) + HalfBlock - eye[0], (by << BlockShift) + HalfBlock - eye[1],
                                    (bz << BlockShift) + HalfBlock - eye[2]};
                order.push_back({static_cast<int>(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), {bx, by, bz}});
            }
    std::sort(order.begin(), order.end());
    return order;
}

static std::vector<int> filled;   // values whose batch holds faces this frame

// Appends the block's faces that may be seen to this frame's batches, moved
// from block-local coordinates to the cursor's; returns how many.
static long long GatherBlock(const Block& block, const int b[3], bool sight, const float eye[3]) {
    const float dx = static_cast<float>((b[0] << BlockShift) - SX);
    const float dy = static_cast<float>(SY - (b[1] << BlockShift));
    const float dz = static_cast<float>((b[2] << BlockShift) - SZ);
    long long faces = 0;
    for (const Run& run : block.runs) {
        std::vector<ArrayVertex>& batch = Batches[run.value];
        const size_t at = batch.size();
        batch.resize(at + static_cast<size_t>(run.count));
        const ArrayVertex* src = block.vertices.data() + run.first;
        const QuadCells* cells = block.quads.data() + run.first / 4;
        ArrayVertex* dst = batch.data() + at;
        for (int q = 0; q < run.count / 4; ++q, src += 4) {
            if (sight && !QuadMayBeSeen(cells[q], eye)) continue;
            for (int i = 0; i < 4; ++i) *dst++ = {src[i].s, src[i].t, src[i].x + dx, src[i].y + dy, src[i].z + dz};
        }
        batch.resize(static_cast<size_t>(dst - batch.data()));
        faces += static_cast<long long>(batch.size() - at) / 4;
        if (at == 0 && !batch.empty()) filled.push_back(run.value);
    }
    return faces;
}

// Each quad as the two triangles OpenGL splits it into, (0, 1, 2) and
// (0, 2, 3): software OpenGL takes triangles with less work than quads.
static const GLuint* QuadTriangles(size_t quads) {
    static std::vector<GLuint> indices;
    for (size_t q = indices.size() / 6; q < quads; ++q) {
        const GLuint first = static_cast<GLuint>(q * 4);
        indices.insert(indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
    }
    return indices.data();
}

void DrawVisibleCellsFast() {
    if (Blocks.empty()) Blocks.resize(static_cast<size_t>(BlocksAcross) * BlocksAcross * BlocksDown);
    glPushMatrix();
    ApplyCamera();
    const ViewPlanes view = CurrentView();

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

    // The eye in world cells: the camera moves the model by the cell offset less half a cell.
    const float* offset = Player().cellOffset;
    const float eye[3] = {SX + 0.5f - offset[0], SY - 0.5f + offset[1], SZ + 0.5f - offset[2]};
    const bool sight = viewCulling && !empty && FillSight(lo, hi, eye, view);

    for (int value : filled) Batches[value].clear();
    filled.clear();
    long long faces = 0;
    if (!empty) {
        for (const BlockAt& at : BlocksNearestFirst(lo, hi, eye)) {
            const int* b = at.b;
            int cutLo[3], cutHi[3];
            for (int a = 0; a < 3; ++a) {
                int first = b[a] << BlockShift;
                cutLo[a] = lo[a] > first ? lo[a] : first;
                cutHi[a] = hi[a] < first + BlockSide - 1 ? hi[a] : first + BlockSide - 1;
            }
            // The cells reach half a cell around their centres.
            const float boxLo[3] = {cutLo[0] - 0.5f, cutLo[1] - 0.5f, cutLo[2] - 0.5f};
            const float boxHi[3] = {cutHi[0] + 0.5f, cutHi[1] + 0.5f, cutHi[2] + 0.5f};
            if (viewCulling && !BoxMayShow(view, boxLo, boxHi)) continue;

            Block& block = Blocks[(static_cast<size_t>(b[2]) * BlocksAcross + b[1]) * BlocksAcross + b[0]];
            if (!Current(block, cutLo, cutHi)) CollectBlock(block, b[0], b[1], b[2], cutLo, cutHi);
            faces += GatherBlock(block, b, sight, eye);
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
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.size() / 4 * 6), GL_UNSIGNED_INT, QuadTriangles(batch.size() / 4));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopMatrix();
    renderedFaces += faces;
}
