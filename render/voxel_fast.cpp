#include "render/voxel_fast.h"

#include <vector>

#include "core/game.h"
#include "platform/window.h"
#include "render/voxel.h"
#include "render/voxel_faces.h"
#include "world/volume.h"

// One vertex as glInterleavedArrays(GL_T2F_V3F) reads it.
struct ArrayVertex {
    float s, t, x, y, z;
};

// One batch per cell value: its texture is TextureForCell(value). Panels go
// with value 1 and objective markers with value 10, whose textures they use.
constexpr int BatchCount = 256;
static std::vector<ArrayVertex> Batches[BatchCount];

struct FaceListKey {
    int sx, sy, sz, mvd, revision, context;
    bool operator==(const FaceListKey&) const = default;
};
static FaceListKey keptKey = {0, 0, 0, -1, -1, -1};
static long long keptFaces = 0;

void InvalidateFaceList() { keptKey.mvd = -1; }

// Appends a quad of half-size h, scaled by `scale`, around the cell at
// model position (mx, my, mz) relative to the cursor.
static void AddQuad(std::vector<ArrayVertex>& batch, const FaceQuad& quad, float mx, float my, float mz, float scale) {
    for (const FaceVertex& v : quad.vertices)
        batch.push_back({v.s, v.t, mx + v.x * scale, my + v.y * scale, mz + v.z * scale});
    ++keptFaces;
}

static void CollectFaces() {
    for (auto& batch : Batches) batch.clear();
    keptFaces = 0;
    // Only cells one inside the volume's faces are drawn, so every neighbour read exists.
    int x0 = SX - MVD < 1 ? 1 : SX - MVD, x1 = SX + MVD > WorldSide - 2 ? WorldSide - 2 : SX + MVD;
    int y0 = SY - MVD < 1 ? 1 : SY - MVD, y1 = SY + MVD > WorldSide - 2 ? WorldSide - 2 : SY + MVD;
    int z0 = SZ - MVD < 1 ? 1 : SZ - MVD, z1 = SZ + MVD > WorldLayers - 2 ? WorldLayers - 2 : SZ + MVD;
    static const int NeighbourStep[6] = {PlaneSize, -PlaneSize, -WorldSide, WorldSide, 1, -1};
    for (int z = z0; z <= z1; ++z) {
        for (int y = y0; y <= y1; ++y) {
            int row = CellIndex(0, y, z);
            for (int x = x0; x <= x1; ++x) {
                int i = row + x;
                uint8_t v = World[i];
                bool marker = Flagmap[i] == ObjectiveFlag;
                if (v == 0 && !marker) continue;
                float mx = static_cast<float>(x - SX), my = static_cast<float>(SY - y), mz = static_cast<float>(z - SZ);
                if (v == PanelCell) {
                    AddQuad(Batches[1], PanelQuad, mx, my, mz, 0.5f);
                } else if (v != 0) {
                    for (int f = 0; f < 6; ++f)
                        if (FaceShows(f, World[i + NeighbourStep[f]])) AddQuad(Batches[v], CubeFaces[f], mx, my, mz, 0.5f);
                }
                if (marker) {
                    // The marker sits inside the cell's own half scale, which an occupied cell halves again.
                    float scale = (v == 0 ? 0.5f : 0.25f) * MarkerHalfSize;
                    for (const FaceQuad& face : CubeFaces) AddQuad(Batches[ObjectiveFlag], face, mx, my, mz, scale);
                }
            }
        }
    }
}

void DrawVisibleCellsFast() {
    FaceListKey key = {SX, SY, SZ, MVD, worldRevision, glContextGeneration};
    if (!(key == keptKey)) {
        CollectFaces();
        keptKey = key;
    }
    glPushMatrix();
    ApplyCamera();
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
    renderedFaces += keptFaces;
}
