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
    // The texture's RGB pixels, none when it has no picture.
    static Bytes TextureImage(int texture) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[texture]);
        GLint side = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
        Bytes out(size_t(side) * side * 3);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
    // The RGB of pixel (x, y) of what is bound, y from the bottom.
    static Bytes ReadPixel(int x, int y) {
        Bytes rgb(3);
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }
    ScratchImages images;
};

const Bytes Black = {0, 0, 0};

TEST_F(PlatformPresent, BeginFrameClearsTheOverlayAndTheViewButNotTheWindow) {
    ASSERT_EQ(OpenMainWindow(), 1);
    for (bool ownBuffer : {true, false}) {
        SCOPED_TRACE(ownBuffer ? "the view's own framebuffer" : "the window's corner");
        viewTargetOn = ownBuffer;
        // A window painted red: only the view's own corner of it may be cleared.
        glDisable(GL_SCISSOR_TEST);
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
        std::memset(OverlayBuffer, 0xAB, size_t(OverlayWidth) * OverlayHeight * 4);
        BeginFrame();
        EXPECT_EQ(Bytes(OverlayBuffer, OverlayBuffer + OverlayWidth * OverlayHeight * 4), Bytes(OverlayWidth * OverlayHeight * 4, 0));
        // The whole 3D view holds the key colour, read back in 8 bits.
        const Bytes key = ReadPixel(5, 5);
        EXPECT_TRUE(key == (Bytes{255, 0, 229}) || key == (Bytes{255, 0, 230})) << int(key[2]);
        EXPECT_EQ(ReadPixel(319, 239), key);
        BindWindowTarget();
        EXPECT_EQ(ReadPixel(5, 5), ownBuffer ? (Bytes{255, 0, 0}) : key);
        EXPECT_EQ(ReadPixel(320, 240), (Bytes{255, 0, 0}));
        // In the window the clear stays inside the corner: the present paints the rest.
        EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), !ownBuffer);
        PresentFrame();
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        EXPECT_EQ(ShownAt(HeadlessFrontPixels(), 640, 639, 479), Black);
    }
    viewTargetOn = true;
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
    // A scale outside 1..5 keeps the zoom of the last present (4).
    windowScale = 9;
    BeginFrame();
    SetOverlayPixel(319, 239, {200, 100, 50});
    PresentFrame();
    EXPECT_EQ(ShownAt(HeadlessFrontPixels(), 1280, 1276, 956), (Bytes{200, 100, 50}));
    EXPECT_EQ(ShownAt(HeadlessFrontPixels(), 1280, 1275, 955), Black);
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
    // Each texture and the slot it is made from; 0: none.
    const int made[][2] = {{1, 1201}, {6, 1206}, {9, 1209}, {10, 1209}, {0, 0}, {2, 0}, {3, 0}, {4, 0},
                           {5, 0},    {7, 0},    {8, 0},    {11, 0},    {20, 0}, {31, 0}};
    for (const auto& [texture, slot] : made) EXPECT_EQ(TextureImage(texture), SlotPixels(slot)) << "texture " << texture;

    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, CubeTextures[9]);
    for (GLenum which : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
        glGetTexParameteriv(GL_TEXTURE_2D, which, &filter);
        EXPECT_EQ(filter, GL_NEAREST);
    }

    // A re-created window gets its own textures.
    WindowKeysWith({Key::F1});
    EXPECT_EQ(TextureImage(1), SlotPixels(1201));
}

}  // namespace
