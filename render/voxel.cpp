// The immediate-mode renderer. It is the reference the fast renderer is
// measured against: every visited cell gets its own matrix pushes and every
// visible face its own begin/end pair.
#include "render/voxel.h"

#include <GL/glext.h>

#include "render/camera.h"
#include "render/overlay.h"
#include "render/textures.h"
#include "render/voxel_faces.h"
#include "render/voxel_fast.h"
#include "world/run_state.h"
#include "world/volume.h"

uint8_t KeyColour[3] = {255, 0, 229};
long long renderedFaces = 0;
Renderer activeRenderer = Renderer::Fast;

static int preparedContext = -1;   // the context generation KeyColour was measured in

void PrepareContext() {
    if (preparedContext == glContextGeneration) return;
    preparedContext = glContextGeneration;

    // The key: what this framebuffer really returns for the clear colour.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    uint8_t pixel[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int i = 0; i < 3; ++i) KeyColour[i] = pixel[i];
    PrepareMarkTextures();
}

static void DrawQuad(const FaceQuad& quad, float h) {
    glBegin(GL_QUADS);
    glNormal3f(quad.normal[0], quad.normal[1], quad.normal[2]);
    for (const FaceVertex& v : quad.vertices) {
        glTexCoord2f(v.s, v.t);
        glVertex3f(v.x * h, v.y * h, v.z * h);
    }
    glEnd();
    ++renderedFaces;
}

static void SetCubeState(GLuint texture) {
    glScalef(0.5f, 0.5f, 0.5f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void DrawCell(int x, int y, int z) {
    uint8_t v = World[CellIndex(x, y, z)];
    if (v == 0) return;
    SetCubeState(TextureForCell(v));
    if (v == PanelCell) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[1]);
        DrawQuad(PanelQuad, 1.0f);
        return;
    }
    for (int f = 0; f < 6; ++f) {
        const FaceQuad& face = CubeFaces[f];
        uint8_t n = World[CellIndex(x + face.neighbour[0], y + face.neighbour[1], z + face.neighbour[2])];
        if (FaceShows(f, n)) DrawQuad(face, 1.0f);
    }
}

void DrawObjectiveMarker(int x, int y, int z) {
    uint8_t f = Flagmap[CellIndex(x, y, z)];
    if (f == 0) return;
    SetCubeState(TextureForCell(f));
    for (const FaceQuad& face : CubeFaces) DrawQuad(face, MarkerHalfSize);
}

void ApplyCamera() {
    const float* offset = Player().cellOffset;
    glRotatef(Pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(180.0f - Yaw, 0.0f, 0.0f, 1.0f);
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(offset[0] - 0.5f, offset[1] - 0.5f, offset[2] - 0.5f);
}

void DrawVisibleCells() {
    glPushMatrix();
    ApplyCamera();
    for (int z = SZ - MVD; z <= SZ + MVD; ++z) {
        for (int y = SY - MVD; y <= SY + MVD; ++y) {
            for (int x = SX - MVD; x <= SX + MVD; ++x) {
                glPushMatrix();
                glTranslatef(static_cast<float>(x - SX), static_cast<float>(SY - y), static_cast<float>(z - SZ));
                // Only cells one inside the volume's faces: every neighbour a face test reads exists.
                if (x >= 1 && x <= WorldSide - 2 && y >= 1 && y <= WorldSide - 2 && z >= 1 && z <= WorldLayers - 2) {
                    glPushMatrix();
                    DrawCell(x, y, z);
                    if (Flagmap[CellIndex(x, y, z)] == ObjectiveFlag) DrawObjectiveMarker(x, y, z);
                    glPopMatrix();
                }
                glPopMatrix();
            }
        }
    }
    glPopMatrix();
}

// Whether OpenGL names RGBA bytes as its preferred read-back format, as Mesa
// does for its 8-bit framebuffers with or without alpha: reading the view back
// is then a copy with no conversion, where packed RGB costs a conversion of
// every pixel. The answer belongs to one context.
static bool readRgba = false;
static int readFormatContext = -1;

static bool ReadsRgba() {
    if (readFormatContext == glContextGeneration) return readRgba;
    readFormatContext = glContextGeneration;
    GLint format = 0, type = 0;
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_FORMAT, &format);
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_TYPE, &type);
    // An OpenGL without the query refuses the names: clear that error, read RGB.
    while (glGetError() != GL_NO_ERROR) {
    }
    readRgba = format == GL_RGBA && type == GL_UNSIGNED_BYTE;
    return readRgba;
}

// Copies every pixel that is not the key colour into the overlay as opaque
// RGBA. The framebuffer's alpha byte is ignored (a window without alpha reads
// 255 there). Pixels are whole words, red in the lowest byte on this
// little-endian layout, so the loop has no branches and is vectorised.
static void CompositeWords(const uint32_t* src) {
    const uint32_t key = KeyColour[0] | KeyColour[1] << 8 | static_cast<uint32_t>(KeyColour[2]) << 16;
    uint32_t* dst = reinterpret_cast<uint32_t*>(OverlayBuffer);
    for (int i = 0; i < ViewWidth * ViewHeight; ++i) {
        const uint32_t p = src[i] & 0x00FFFFFFu;
        dst[i] = p == key ? dst[i] : p | 0xFF000000u;
    }
}

void CompositeView() {
    glLoadIdentity();
    if (ReadsRgba()) {
        glReadPixels(0, 0, ViewWidth, ViewHeight, GL_RGBA, GL_UNSIGNED_BYTE, ReadbackBuffer);
        if (OverlayWidth == ViewWidth && OverlayHeight == ViewHeight)
            CompositeWords(reinterpret_cast<const uint32_t*>(ReadbackBuffer));
        return;
    }
    glReadPixels(0, 0, ViewWidth, ViewHeight, GL_RGB, GL_UNSIGNED_BYTE, ReadbackBuffer);
    if (OverlayWidth != ViewWidth || OverlayHeight != ViewHeight) return;
    const uint8_t* src = ReadbackBuffer;
    uint8_t* dst = OverlayBuffer;
    for (int i = 0; i < ViewWidth * ViewHeight; ++i, src += 3, dst += 4) {
        if (src[0] == KeyColour[0] && src[1] == KeyColour[1] && src[2] == KeyColour[2]) continue;
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        dst[3] = 255;
    }
}

void DrawView() {
    PrepareContext();
    if (activeRenderer == Renderer::Fast) DrawVisibleCellsFast();
    else DrawVisibleCells();
}

void ViewFrame(bool walkBack, int pointerX, int pointerY) {
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawView();
    MovePlayer(walkBack);
    CompositeView();
    MouseLook(pointerX, pointerY);
}
