// The frame clear and the presentation of the OverlayBuffer.
#include "platform/present.h"

#include <GL/glext.h>

#include <cstring>

#include "machine/platform.h"
#include "platform/window.h"
#include "render/overlay.h"
#include "render/textures.h"
#include "render/view_target.h"

void BeginFrame() {
    if (BindViewTarget()) {
        // The view's own framebuffer is cleared whole, which costs next to nothing.
        glDisable(GL_SCISSOR_TEST);
    } else {
        // Only the 3D view's corner of the window needs the key colour and a
        // far depth: the present paints every other window pixel. Clearing a
        // scaled window whole cost more than drawing the view, so the scissor
        // stays on until the present, which also keeps the view's own clear
        // inside the corner.
        glScissor(0, 0, ViewWidth, ViewHeight);
        glEnable(GL_SCISSOR_TEST);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (OverlayBuffer) memset(OverlayBuffer, 0, static_cast<size_t>(OverlayWidth) * OverlayHeight * 4);
}

PresentPath presentPath = PresentPath::Texture;

PresentPlacement CurrentPlacement() {
    // A window manager may resize a fullscreen window after it opened. In a
    // window the zoom follows the scale; a scale outside 1..5 keeps the last zoom.
    if (fullscreenOn) LayOutPicture();
    else if (windowScale >= 1 && windowScale <= 5) presentScale = windowScale;
    PresentPlacement placed = {presentScale, presentLeft, presentBottom, OverlayWidth * presentScale,
                               OverlayHeight * presentScale};
    int left = 0, top = 0, right = 0, bottom = 0;
    if (PlatformWindowRect(&left, &top, &right, &bottom)) {
        placed.windowWidth = right - left;
        placed.windowHeight = bottom - top;
    }
    return placed;
}

// The overlay texture belongs to one OpenGL context and one overlay size; its
// sides are the powers of two that hold the overlay, which OpenGL 1.x needs.
static GLuint overlayTexture = 0;
static int overlayContext = -1;
static int overlayTextureWidth = 0, overlayTextureHeight = 0;

static int PowerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p <<= 1;
    return p;
}

static void BindOverlayTexture() {
    int width = PowerOfTwoAtLeast(OverlayWidth), height = PowerOfTwoAtLeast(OverlayHeight);
    if (overlayContext != glContextGeneration) {
        // A new context has none of the old one's names.
        glGenTextures(1, &overlayTexture);
        overlayContext = glContextGeneration;
        overlayTextureWidth = overlayTextureHeight = 0;
    }
    glBindTexture(GL_TEXTURE_2D, overlayTexture);
    if (width == overlayTextureWidth && height == overlayTextureHeight) return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    overlayTextureWidth = width;
    overlayTextureHeight = height;
}

// Paints what the picture does not cover black, keeping the renderer's clear colour.
static void ClearMargins(const PresentPlacement& placed) {
    bool covered = placed.left <= 0 && placed.bottom <= 0 &&
                   placed.left + OverlayWidth * placed.scale >= placed.windowWidth &&
                   placed.bottom + OverlayHeight * placed.scale >= placed.windowHeight;
    if (covered) return;
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
}

// One quad over the window's pixels with the overlay as its texture: every
// window pixel samples the overlay pixel it lies in, exactly as the zoom does.
static void PresentAsTexture(const PresentPlacement& placed) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint envMode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    const bool depthTest = glIsEnabled(GL_DEPTH_TEST);

    glViewport(0, 0, placed.windowWidth, placed.windowHeight);
    ClearMargins(placed);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, placed.windowWidth, 0.0, placed.windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    BindOverlayTexture();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, OverlayWidth, OverlayHeight, GL_RGBA, GL_UNSIGNED_BYTE, OverlayBuffer);
    // The texel as it is, alpha included, as glDrawPixels would write it.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    const float s = static_cast<float>(OverlayWidth) / overlayTextureWidth;
    const float t = static_cast<float>(OverlayHeight) / overlayTextureHeight;
    const float x0 = static_cast<float>(placed.left), y0 = static_cast<float>(placed.bottom);
    const float x1 = x0 + static_cast<float>(OverlayWidth * placed.scale);
    const float y1 = y0 + static_cast<float>(OverlayHeight * placed.scale);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(s, 0.0f);
    glVertex2f(x1, y0);
    glTexCoord2f(s, t);
    glVertex2f(x1, y1);
    glTexCoord2f(0.0f, t);
    glVertex2f(x0, y1);
    glEnd();

    // Back to what the 3D view expects at the next frame.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, envMode);
    if (depthTest) glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

// The zoomed image at the initial raster position, the window's bottom-left corner.
static void PresentAsPixels(const PresentPlacement& placed) {
    glDisable(GL_TEXTURE_2D);
    ClearMargins(placed);
    glPixelZoom(static_cast<GLfloat>(placed.scale), static_cast<GLfloat>(placed.scale));
    // An empty bitmap moves the raster position by window pixels; it is moved
    // back afterwards, so a picture at the corner never touches it.
    const bool moved = placed.left != 0 || placed.bottom != 0;
    if (moved) glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(placed.left), static_cast<GLfloat>(placed.bottom), nullptr);
    // Blending is off and the depth test passes at the raster's depth 0, so the
    // picture replaces everything drawn before and its alpha bytes have no effect.
    glDrawPixels(OverlayWidth, OverlayHeight, GL_RGBA, GL_UNSIGNED_BYTE, OverlayBuffer);
    if (moved) glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(-placed.left), static_cast<GLfloat>(-placed.bottom), nullptr);
    glEnable(GL_TEXTURE_2D);
}

void FinishPicture() {
    const PresentPlacement placed = CurrentPlacement();
    BindWindowTarget();
    glDisable(GL_SCISSOR_TEST);   // the present covers the whole window
    if (OverlayBuffer) {
        if (presentPath == PresentPath::Texture) PresentAsTexture(placed);
        else PresentAsPixels(placed);
    }
    // Software OpenGL rasterises what was queued only when pushed: done here,
    // the swap that follows has only the finished picture to show.
    glFinish();
}

void ShowPicture() {
    PlatformSwapBuffers();
    glEnable(GL_TEXTURE_2D);
}

void PresentFrame() {
    FinishPicture();
    ShowPicture();
}
