// The frame clear, the presentation of the OverlayBuffer and the cube
// textures, checked on the pictures of the headless OSMesa context.
#include <GL/gl.h>

#include <random>
#include <set>

#include "platform/input.h"
#include "platform/present.h"
#include "render/textures.h"
#include "render/view_target.h"
#include "test_util.h"

namespace {

class PlatformPresent : public HeadlessTest {
protected:
    // A picture whose every byte differs from its neighbours.
    static void FillSlot(int slot, uint32_t width, uint32_t height, uint8_t seed) {
        Bytes p(size_t(width) * height * 3);
        for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(seed + i * 7);
        SetSlot(slot, width, height, p);
    }
    static void SetOverlayPixel(int x, int y, Bytes rgb) {
        std::memcpy(OverlayBuffer + 4 * (y * OverlayWidth + x), rgb.data(), 3);
    }
    // RGB of the swapped picture at window pixel (x, y), y from the bottom.
    static Bytes Shown(const Bytes& front, int windowWidth, int x, int y) {
        const uint8_t* p = front.data() + 4 * (size_t(y) * windowWidth + x);
        return {p[0], p[1], p[2]};
    }
    static int TextureWidth(int texture) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[texture]);
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        return width;
    }
    static Bytes TextureImage(int texture, int side) {
        Bytes out(size_t(side) * side * 3);
        glBindTexture(GL_TEXTURE_2D, CubeTextures[texture]);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
    ScratchImages images;
};

const Bytes Black = {0, 0, 0};

TEST_F(PlatformPresent, BeginFrameClearsTheOverlayAndTheViewsBuffer) {
    ASSERT_EQ(OpenMainWindow(), 1);
    for (bool ownBuffer : {true, false}) {
        SCOPED_TRACE(ownBuffer ? "the view's own framebuffer" : "the window's corner");
        viewTargetOn = ownBuffer;
        std::memset(OverlayBuffer, 0xAB, size_t(OverlayWidth) * OverlayHeight * 4);
        BeginFrame();
        EXPECT_EQ(Bytes(OverlayBuffer, OverlayBuffer + OverlayWidth * OverlayHeight * 4), Bytes(OverlayWidth * OverlayHeight * 4, 0));

        // The whole 3D view holds the key colour, read back in 8 bits.
        Bytes view(320 * 240 * 4);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, view.data());
        const Bytes key = Shown(view, 320, 5, 5);
        EXPECT_EQ(key[0], 255);
        EXPECT_EQ(key[1], 0);
        EXPECT_TRUE(key[2] == 229 || key[2] == 230) << int(key[2]);
        EXPECT_EQ(Shown(view, 320, 319, 239), key);
        // In the window the clear stays inside the corner: the present paints the rest.
        EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), !ownBuffer);
        PresentFrame();
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        EXPECT_EQ(Shown(HeadlessFrontPixels(), 640, 639, 479), Black);
    }
    viewTargetOn = true;
}

TEST_F(PlatformPresent, TheViewsOwnFramebufferLeavesTheWindowToThePresent) {
    ASSERT_EQ(OpenMainWindow(), 1);
    // A window painted red: the view's frame must not touch it.
    glDisable(GL_SCISSOR_TEST);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
    BeginFrame();
    glClear(GL_COLOR_BUFFER_BIT);
    BindWindowTarget();
    PlatformSwapBuffers();
    EXPECT_EQ(Shown(HeadlessFrontPixels(), 640, 5, 5), (Bytes{255, 0, 0}));
}

// Random bytes in every overlay pixel, alpha included.
static void FillOverlayAtRandom(unsigned seed) {
    std::mt19937 random(seed);
    for (int i = 0; i < OverlayWidth * OverlayHeight * 4; ++i) OverlayBuffer[i] = static_cast<uint8_t>(random());
}

TEST_F(PlatformPresent, EachOverlayPixelShowsAsAScaleByScaleBlockOnBothPaths) {
    for (int scale = 1; scale <= 4; ++scale) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        HeadlessReset();
        windowScale = scale;
        ASSERT_EQ(OpenMainWindow(), 1);
        Bytes shown[2];
        const PresentPath paths[2] = {PresentPath::DrawPixels, PresentPath::Texture};
        for (int i = 0; i < 2; ++i) {
            presentPath = paths[i];
            BeginFrame();
            FillOverlayAtRandom(static_cast<unsigned>(scale));
            PresentFrame();
            shown[i] = HeadlessFrontPixels();
        }
        presentPath = PresentPath::Texture;
        EXPECT_EQ(HeadlessSwapCount(), 2);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is back on for the next frame";
        EXPECT_TRUE(shown[0] == shown[1]);
        // Every window pixel is the overlay pixel it lies in, whatever its alpha:
        // neither the key colour of the clear nor a stray pixel shows.
        const int w = 320 * scale, h = 240 * scale;
        ASSERT_EQ(shown[1].size(), size_t(w) * h * 4);
        int differ = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                differ += std::memcmp(&shown[1][4 * (size_t(y) * w + x)], OverlayBuffer + 4 * ((y / scale) * 320 + x / scale), 4) != 0;
        EXPECT_EQ(differ, 0);
    }
    // A scale outside 1..5 keeps the zoom of the last present.
    HeadlessReset();
    windowScale = 2;
    ASSERT_EQ(OpenMainWindow(), 1);
    BeginFrame();
    PresentFrame();
    windowScale = 9;
    const Bytes corner = {200, 100, 50};
    BeginFrame();
    SetOverlayPixel(319, 239, corner);
    PresentFrame();
    const Bytes front = HeadlessFrontPixels();
    EXPECT_EQ(Shown(front, 640, 639, 479), corner);
    EXPECT_EQ(Shown(front, 640, 637, 477), Black);
}

TEST_F(PlatformPresent, ARecreatedWindowPresentsThroughItsOwnTexture) {
    ASSERT_EQ(OpenMainWindow(), 1);
    const Bytes colour = {90, 180, 45};
    for (int scale : {3, 1, 4}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        BeginFrame();
        PresentFrame();   // the old context made its texture
        WindowKeysWith({Key::F1 + scale - 1});
        ASSERT_EQ(windowScale, scale);
        BeginFrame();
        SetOverlayPixel(160, 120, colour);
        PresentFrame();
        const Bytes front = HeadlessFrontPixels();
        ASSERT_EQ(front.size(), size_t(320 * scale) * (240 * scale) * 4);
        EXPECT_EQ(Shown(front, 320 * scale, 160 * scale, 120 * scale), colour);
        EXPECT_EQ(Shown(front, 320 * scale, 160 * scale - 1, 120 * scale), Black);
    }
}

TEST_F(PlatformPresent, CubeTexturesTakeOnlySquarePowerOfTwoPictures) {
    FillSlot(1201, 4, 4, 1);
    FillSlot(1202, 4, 8, 2);     // not square
    FillSlot(1203, 6, 6, 3);     // side not a power of two
    FillSlot(1204, 2, 2, 4);     // rows would be padded at the default unpack alignment
    ImageTable[1205] = ImageSlot{nullptr, 4, 4, 3};   // a size but no pixels
    FillSlot(1206, 1, 1, 6);
    FillSlot(1207, 4, 4, 7);     // no texture is made from slot 1207
    FillSlot(1209, 8, 8, 9);
    FillSlot(1210, 8, 8, 10);    // texture 10 takes 1209, not this one
    ASSERT_EQ(OpenMainWindow(), 1);

    std::set<GLuint> names(CubeTextures, CubeTextures + CubeTextureCount);
    EXPECT_EQ(names.size(), size_t(CubeTextureCount));
    EXPECT_EQ(names.count(0), 0u);
    const struct { int texture, width, slot; } made[] = {{1, 4, 1201}, {6, 1, 1206}, {9, 8, 1209}, {10, 8, 1209}};
    for (const auto& m : made) {
        EXPECT_EQ(TextureWidth(m.texture), m.width) << "texture " << m.texture;
        EXPECT_EQ(TextureImage(m.texture, m.width), SlotPixels(m.slot)) << "texture " << m.texture;
    }
    for (int texture : {0, 2, 3, 4, 5, 7, 8, 11, 20, 31}) EXPECT_EQ(TextureWidth(texture), 0) << "texture " << texture;

    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, CubeTextures[9]);
    for (GLenum which : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
        glGetTexParameteriv(GL_TEXTURE_2D, which, &filter);
        EXPECT_EQ(filter, GL_NEAREST);
    }

    // A re-created window gets its own textures.
    WindowKeysWith({Key::F1});
    ASSERT_EQ(windowScale, 1);
    EXPECT_EQ(TextureWidth(1), 4);
    EXPECT_EQ(TextureImage(1, 4), SlotPixels(1201));
}

}  // namespace
