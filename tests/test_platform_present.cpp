// The frame clear, the presentation of the OverlayBuffer and the cube
// textures, checked on the pictures of the headless OSMesa context.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <iostream>
#include <set>
#include <vector>

#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/window.h"
#include "render/bitmap.h"

namespace {

class PlatformPresent : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        SetOverlaySize(320, 240);
        windowScale = 2;
        savedImages = ImageTable;
        images.assign(ImageSlotCount, ImageSlot{});
        ImageTable = images.data();
    }
    void TearDown() override {
        HeadlessReset();
        windowScale = 2;
        ImageTable = savedImages;
    }
    // A square or oblong picture whose every pixel differs from its neighbours.
    void FillSlot(int slot, uint32_t width, uint32_t height, uint8_t seed) {
        std::vector<uint8_t>& p = pictures[slot];
        p.resize(static_cast<size_t>(width) * height * 3);
        for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(seed + i * 7);
        images[slot] = ImageSlot{p.data(), width, height, 3};
    }
    static void SetOverlayPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        uint8_t* p = OverlayBuffer + 4 * (y * OverlayWidth + x);
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }
    // RGB of the swapped picture at window pixel (x, y), y from the bottom.
    static std::vector<uint8_t> Shown(const std::vector<uint8_t>& front, int windowWidth, int x, int y) {
        const uint8_t* p = front.data() + 4 * (static_cast<size_t>(y) * windowWidth + x);
        return {p[0], p[1], p[2]};
    }
    static int TextureWidth(int texture) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[texture]);
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        return width;
    }
    static std::vector<uint8_t> TextureImage(int texture, int side) {
        std::vector<uint8_t> out(static_cast<size_t>(side) * side * 3);
        glBindTexture(GL_TEXTURE_2D, CubeTextures[texture]);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    ImageSlot* savedImages = nullptr;
    std::vector<ImageSlot> images;
    std::vector<uint8_t> pictures[ImageSlotCount];
};

const std::vector<uint8_t> Black = {0, 0, 0};

TEST_F(PlatformPresent, BeginFrameClearsTheOverlayAndTheBackBuffer) {
    ASSERT_EQ(OpenMainWindow(), 1);
    memset(OverlayBuffer, 0xAB, static_cast<size_t>(OverlayWidth) * OverlayHeight * 4);
    BeginFrame();
    for (int i = 0; i < OverlayWidth * OverlayHeight * 4; ++i) ASSERT_EQ(OverlayBuffer[i], 0) << "byte " << i;

    // The cleared colour buffer holds the key colour, read back in 8 bits.
    PlatformSwapBuffers();
    std::vector<uint8_t> front = HeadlessFrontPixels();
    ASSERT_EQ(front.size(), 640u * 480u * 4u);
    std::vector<uint8_t> key = Shown(front, 640, 5, 5);
    EXPECT_EQ(key[0], 255);
    EXPECT_EQ(key[1], 0);
    EXPECT_TRUE(key[2] == 229 || key[2] == 230) << int(key[2]);
    EXPECT_EQ(Shown(front, 640, 639, 479), key) << "the whole window is cleared";
    ::testing::Test::RecordProperty("ClearBlue", key[2]);
    std::cout << "clear colour reads back as (255, 0, " << int(key[2]) << ")\n";
}

TEST_F(PlatformPresent, AnEmptyFrameShowsABlackWindow) {
    ASSERT_EQ(OpenMainWindow(), 1);
    BeginFrame();
    PresentFrame();
    EXPECT_EQ(HeadlessSwapCount(), 1);
    std::vector<uint8_t> front = HeadlessFrontPixels();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(Shown(front, 640, x, y), Black) << x << "," << y;
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is back on for the next frame";
}

TEST_F(PlatformPresent, AtScale1EachOverlayPixelShowsInPlaceAndAlphaIsIgnored) {
    windowScale = 1;
    ASSERT_EQ(OpenMainWindow(), 1);
    BeginFrame();
    SetOverlayPixel(10, 20, 12, 34, 56, 0);
    SetOverlayPixel(319, 239, 200, 100, 50, 255);
    PresentFrame();
    std::vector<uint8_t> front = HeadlessFrontPixels();
    ASSERT_EQ(front.size(), 320u * 240u * 4u);
    EXPECT_EQ(Shown(front, 320, 10, 20), (std::vector<uint8_t>{12, 34, 56}));
    EXPECT_EQ(Shown(front, 320, 319, 239), (std::vector<uint8_t>{200, 100, 50}));
    EXPECT_EQ(Shown(front, 320, 11, 20), Black);
    EXPECT_EQ(Shown(front, 320, 10, 21), Black);
}

TEST_F(PlatformPresent, AtScale2EachOverlayPixelShowsAsA2x2Block) {
    ASSERT_EQ(OpenMainWindow(), 1);
    BeginFrame();
    SetOverlayPixel(10, 20, 12, 34, 56, 0);
    SetOverlayPixel(319, 239, 1, 2, 3, 0);
    PresentFrame();
    std::vector<uint8_t> front = HeadlessFrontPixels();
    const std::vector<uint8_t> colour = {12, 34, 56};
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(Shown(front, 640, 20 + dx, 40 + dy), colour) << dx << "," << dy;
    EXPECT_EQ(Shown(front, 640, 19, 40), Black);
    EXPECT_EQ(Shown(front, 640, 22, 40), Black);
    EXPECT_EQ(Shown(front, 640, 20, 39), Black);
    EXPECT_EQ(Shown(front, 640, 20, 42), Black);
    // The last overlay pixel reaches the window's top-right corner.
    EXPECT_EQ(Shown(front, 640, 639, 479), (std::vector<uint8_t>{1, 2, 3}));

    // A scale outside 1..5 keeps the zoom of the last present.
    windowScale = 9;
    PresentFrame();
    GLfloat zoom = 0;
    glGetFloatv(GL_ZOOM_X, &zoom);
    EXPECT_FLOAT_EQ(zoom, 2.0f);
}

TEST_F(PlatformPresent, CubeTexturesTakeOnlySquarePowerOfTwoPictures) {
    FillSlot(1201, 4, 4, 1);
    FillSlot(1202, 4, 8, 2);     // not square
    FillSlot(1203, 6, 6, 3);     // side not a power of two
    FillSlot(1204, 2, 2, 4);     // rows would be padded at the default unpack alignment
    images[1205] = ImageSlot{nullptr, 4, 4, 3};   // a size but no pixels
    FillSlot(1206, 1, 1, 6);
    FillSlot(1207, 4, 4, 7);     // no texture is made from slot 1207
    FillSlot(1209, 8, 8, 9);
    FillSlot(1210, 8, 8, 10);    // texture 10 takes 1209, not this one
    ASSERT_EQ(OpenMainWindow(), 1);

    std::set<GLuint> names(CubeTextures, CubeTextures + CubeTextureCount);
    EXPECT_EQ(names.size(), static_cast<size_t>(CubeTextureCount));
    EXPECT_EQ(names.count(0), 0u);

    EXPECT_EQ(TextureWidth(1), 4);
    EXPECT_EQ(TextureImage(1, 4), pictures[1201]);
    EXPECT_EQ(TextureWidth(6), 1);
    EXPECT_EQ(TextureWidth(9), 8);
    EXPECT_EQ(TextureImage(9, 8), pictures[1209]);
    EXPECT_EQ(TextureWidth(10), 8);
    EXPECT_EQ(TextureImage(10, 8), pictures[1209]);

    for (int texture : {0, 2, 3, 4, 5, 7, 8, 11, 20, 31})
        EXPECT_EQ(TextureWidth(texture), 0) << "texture " << texture;

    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, CubeTextures[9]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
}

TEST_F(PlatformPresent, ARecreatedWindowGetsItsOwnCubeTextures) {
    FillSlot(1203, 4, 4, 3);
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessSetKey(Key::F1, true);
    HandleWindowKeys();
    HeadlessReleaseAllKeys();
    ASSERT_EQ(windowScale, 1);
    EXPECT_EQ(TextureWidth(3), 4);
    EXPECT_EQ(TextureImage(3, 4), pictures[1203]);
}

}  // namespace
