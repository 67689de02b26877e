// The frame clear, the presentation of the OverlayBuffer and the cube textures.
#include "platform/present.h"

#include <cstring>

#include "core/startup.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/bitmap.h"

GLuint CubeTextures[CubeTextureCount];

void BeginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (OverlayBuffer) memset(OverlayBuffer, 0, static_cast<size_t>(OverlayWidth) * OverlayHeight * 4);
}

void PresentFrame() {
    glDisable(GL_TEXTURE_2D);
    // A window manager may resize a fullscreen window after it opened.
    if (fullscreenOn) LayOutPicture();
    // Other window scales keep whatever zoom was last set.
    if (fullscreenOn || (windowScale >= 1 && windowScale <= 5))
        glPixelZoom(static_cast<GLfloat>(presentScale), static_cast<GLfloat>(presentScale));
    if (fullscreenOn) {
        // Black bars around the centred picture, not the 3D view's key colour.
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
        // An empty bitmap moves the raster position by the offset and keeps it valid.
        glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(presentLeft), static_cast<GLfloat>(presentBottom), nullptr);
    }
    // The raster position otherwise stays at the window's bottom-left corner at
    // depth 0; blending is off and the depth test passes, so the picture replaces
    // everything drawn before and its alpha bytes have no effect.
    glDrawPixels(OverlayWidth, OverlayHeight, GL_RGBA, GL_UNSIGNED_BYTE, OverlayBuffer);
    if (fullscreenOn)
        glBitmap(0, 0, 0.0f, 0.0f, -static_cast<GLfloat>(presentLeft), -static_cast<GLfloat>(presentBottom), nullptr);
    PlatformSwapBuffers();
    glEnable(GL_TEXTURE_2D);
}

// Which ImageTable slot each cube texture is made from. Cell value 10 shares
// the picture of 9 on purpose; 7, 8 and 11..31 get names but no picture.
struct CubeSource {
    int texture;
    int slot;
};

constexpr CubeSource CubeSources[] = {
    {0, 1200}, {1, 1201}, {2, 1202}, {3, 1203}, {4, 1204},
    {5, 1205}, {6, 1206}, {9, 1209}, {10, 1209},
};

// A cube texture is uploaded as side x side RGB, so only a square picture can
// fill it without reading past its pixels. OpenGL 1.x textures need a power
// of two side, and with the default unpack alignment of 4 the rows of a
// 2-pixel side would be taken as padded to 8 bytes, again past the picture.
bool UploadableSquare(const ImageSlot& image) {
    uint32_t side = image.width;
    if (!image.pixels || side == 0 || image.height != side) return false;
    if ((side & (side - 1)) != 0) return false;
    return side != 2;
}

bool CreateCubeTextures() {
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glGenTextures(CubeTextureCount, CubeTextures);
    for (const CubeSource& source : CubeSources) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[source.texture]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        if (!ImageTable) continue;
        const ImageSlot& image = ImageTable[source.slot];
        if (!UploadableSquare(image)) continue;   // the texture stays without an image
        GLsizei side = static_cast<GLsizei>(image.width);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
    }
    return true;
}
