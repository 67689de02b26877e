// The immediate-mode renderer. It is the reference the fast renderer is
// measured against: every visited cell gets its own matrix pushes and every
// visible face its own begin/end pair.
#include "render/voxel.h"

#include <GL/glext.h>

#include <vector>

#include "core/game.h"
#include "core/startup.h"
#include "platform/present.h"
#include "platform/window.h"
#include "render/bitmap.h"
#include "render/camera.h"
#include "render/voxel_faces.h"
#include "render/voxel_fast.h"
#include "world/volume.h"

uint8_t KeyColour[3] = {255, 0, 229};
long long renderedFaces = 0;
Renderer activeRenderer = Renderer::Fast;

// Blueprint marks drawn with the dungeon picture that fits them.
struct MarkPicture {
    uint8_t mark;
    int slot;
};
constexpr MarkPicture MarkPictures[] = {
    {Rock, 111},     {Floor, 119},       {Door, 128},   {StairFoot, 137}, {StairHead, 136}, {Chest, 120},
    {Candelabrum, 122}, {Scroll, 167}, {Coffin, 124}, {Fountain, 134},  {Special, 118},
};
constexpr int MarkPictureCount = sizeof MarkPictures / sizeof MarkPictures[0];
static GLuint MarkTextures[MarkPictureCount];   // made per context from the pictures above
static int preparedContext = -1;                // the context generation the per-context state belongs to

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

    glGenTextures(MarkPictureCount, MarkTextures);
    for (int i = 0; i < MarkPictureCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, MarkTextures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        const ImageSlot& slot = ImageTable[MarkPictures[i].slot];
        if (UploadableSquare(slot))
            glTexImage2D(GL_TEXTURE_2D, 0, 3, slot.width, slot.width, 0, GL_RGB, GL_UNSIGNED_BYTE, slot.pixels);
    }
}

GLuint TextureForCell(uint8_t value) {
    if (value < CubeTextureCount) return CubeTextures[value];
    for (int i = 0; i < MarkPictureCount; ++i)
        if (MarkPictures[i].mark == value) return MarkTextures[i];
    return MarkTextures[MarkPictureCount - 1];
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
static std::vector<uint32_t> readbackRgba;   // ReadbackWidth x ReadbackHeight RGBA pixels

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
    for (int i = 0; i < ReadbackWidth * ReadbackHeight; ++i) {
        const uint32_t p = src[i] & 0x00FFFFFFu;
        dst[i] = p == key ? dst[i] : p | 0xFF000000u;
    }
}

void CompositeView() {
    glLoadIdentity();
    if (ReadsRgba()) {
        readbackRgba.resize(static_cast<size_t>(ReadbackWidth) * ReadbackHeight);
        glReadPixels(0, 0, ReadbackWidth, ReadbackHeight, GL_RGBA, GL_UNSIGNED_BYTE, readbackRgba.data());
        if (OverlayWidth == ReadbackWidth && OverlayHeight == ReadbackHeight) CompositeWords(readbackRgba.data());
        return;
    }
    glReadPixels(0, 0, ReadbackWidth, ReadbackHeight, GL_RGB, GL_UNSIGNED_BYTE, ReadbackBuffer);
    if (OverlayWidth != 320 || OverlayHeight != 240) return;
    const uint8_t* src = ReadbackBuffer;
    uint8_t* dst = OverlayBuffer;
    for (int i = 0; i < 320 * 240; ++i, src += 3, dst += 4) {
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

void ViewFrame() {
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawView();
    MovePlayer();
    CompositeView();
    MouseLook();
}
