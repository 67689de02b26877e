// The 3D view on the off-screen context: which faces are drawn, with which
// texture, how the picture reaches the overlay, and that the fast renderer
// draws what the immediate-mode one does.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game_fixture.h"
#include "platform/present.h"
#include "render/bitmap.h"
#include "render/camera.h"
#include "render/voxel.h"
#include "render/voxel_fast.h"

class Voxel : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // Plain-coloured cube pictures, so a face's texture shows as its colour.
        Paint(1201, 200, 40, 40);
        Paint(1202, 40, 200, 40);
        Paint(1209, 250, 250, 30);
        CreateCubeTextures();
        SX = 100, SY = 100, SZ = 20;
        Player().cellOffset[0] = Player().cellOffset[1] = Player().cellOffset[2] = 0.5f;
        Yaw = 0.0f, Pitch = -90.0f;   // level, looking toward smaller y
        activeRenderer = Renderer::Reference;
    }
    void TearDown() override {
        activeRenderer = Renderer::Fast;
        GameFixture::TearDown();
    }
    static void Paint(int slot, uint8_t r, uint8_t g, uint8_t b) {
        ImageSlot& s = ImageTable[slot];
        std::free(s.pixels);
        s.width = s.height = 8;
        s.channels = 3;
        s.pixels = static_cast<uint8_t*>(std::malloc(8 * 8 * 3));
        for (int i = 0; i < 64; ++i) s.pixels[3 * i] = r, s.pixels[3 * i + 1] = g, s.pixels[3 * i + 2] = b;
    }
    static void Put(int x, int y, int z, uint8_t v) {
        World[CellIndex(x, y, z)] = v;
        ++worldRevision;
    }
    // Draws the view (no motion) and composites it; returns the faces drawn.
    static long long Render() {
        BeginFrame();
        renderedFaces = 0;
        DrawView();
        CompositeView();
        return renderedFaces;
    }
    static const uint8_t* Pixel(int x, int y) { return OverlayBuffer + 4 * (y * 320 + x); }
    static std::vector<uint8_t> Picture() { return std::vector<uint8_t>(OverlayBuffer, OverlayBuffer + 320 * 240 * 4); }
    static int Differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        int n = 0;
        for (size_t i = 0; i < a.size(); i += 4) n += std::memcmp(&a[i], &b[i], 4) != 0;
        return n;
    }
    // Width in pixels of the run of colour (r, g, b) on the picture's middle row.
    static int RunWidth(uint8_t r, uint8_t g, uint8_t b) {
        int n = 0;
        for (int x = 0; x < 320; ++x) {
            const uint8_t* p = Pixel(x, 120);
            n += p[0] == r && p[1] == g && p[2] == b;
        }
        return n;
    }
};

TEST_F(Voxel, LoneCubeShowsItsTextureAhead) {
    Put(100, 98, 20, 1);   // two cells ahead at a level view
    EXPECT_EQ(Render(), 6);
    const uint8_t* centre = Pixel(160, 120);
    EXPECT_EQ(centre[0], 200);
    EXPECT_EQ(centre[1], 40);
    EXPECT_EQ(centre[2], 40);
    EXPECT_EQ(centre[3], 255);
    // Grass is texture 2.
    Put(100, 98, 20, 2);
    Render();
    EXPECT_EQ(Pixel(160, 120)[1], 200);
    // Behind the eye nothing shows.
    Put(100, 98, 20, 0);
    Put(100, 102, 20, 1);
    Render();
    EXPECT_EQ(Pixel(160, 120)[3], 0);
}

TEST_F(Voxel, HiddenFacesAreNotDrawn) {
    for (int d = -1; d <= 1; d += 2) {
        Put(100 + d, 97, 20, 1);
        Put(100, 97 + d, 20, 1);
        Put(100, 97, 20 + d, 1);
    }
    EXPECT_EQ(Render(), 6 * 6);   // six lone cubes
    Put(100, 97, 20, 1);          // the centre, solid on all six sides, draws nothing and hides six faces
    EXPECT_EQ(Render(), 6 * 5);
    // A panel above counts as open for the vertical face, but not sideways.
    Put(100, 97, 19, PanelCell);
    EXPECT_EQ(Render(), 6 * 5 - 5 + 1 + 1);   // the panel's own quad, and the centre's upper face
    Put(100, 97, 19, 1);
    Put(101, 97, 20, PanelCell);
    EXPECT_EQ(Render(), 6 * 5 - 5 + 1);   // the centre's +x face stays hidden
}

TEST_F(Voxel, PanelIsOneQuadWithTextureOne) {
    Paint(1204, 10, 10, 250);   // value 4's own texture must not be used
    CreateCubeTextures();
    Put(100, 98, 20, PanelCell);
    EXPECT_EQ(Render(), 1);
    bool red = false, blue = false;
    for (int x = 0; x < 320; ++x) {
        const uint8_t* p = Pixel(x, 120);
        red = red || (p[0] == 200 && p[1] == 40);
        blue = blue || p[2] == 250;
    }
    EXPECT_TRUE(red);
    EXPECT_FALSE(blue);
}

TEST_F(Voxel, ObjectiveMarkerIsASmallerCubeWithTextureTen) {
    Put(100, 97, 20, 1);
    Render();
    int cube = RunWidth(200, 40, 40);
    Put(100, 97, 20, 0);
    Flagmap[CellIndex(100, 97, 20)] = ObjectiveFlag;
    ++worldRevision;
    EXPECT_EQ(Render(), 6);
    int marker = RunWidth(250, 250, 30);
    EXPECT_NEAR(static_cast<double>(marker) / cube, 0.7, 0.05);
    // Inside a solid cell it comes out half that size, and it is drawn even when enclosed.
    Put(100, 97, 20, 1);
    for (int d = -1; d <= 1; d += 2) Put(100 + d, 97, 20, 1), Put(100, 97 + d, 20, 1), Put(100, 97, 20 + d, 1);
    EXPECT_EQ(Render(), 6 * 5 + 6);
}

TEST_F(Voxel, BackgroundStaysBlackAndOnlyTheKeyIsSkipped) {
    Render();
    for (int i = 0; i < 320 * 240; ++i) ASSERT_EQ(OverlayBuffer[4 * i + 3], 0) << i;

    // Draw two pixels straight into the framebuffer: the key itself and one just off it.
    BeginFrame();
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 320, 0, 240, -1, 1);
    uint8_t off[3] = {KeyColour[0], KeyColour[1], static_cast<uint8_t>(KeyColour[2] ^ 1)};
    glRasterPos2i(10, 10);
    glDrawPixels(1, 1, GL_RGB, GL_UNSIGNED_BYTE, off);
    glRasterPos2i(20, 10);
    glDrawPixels(1, 1, GL_RGB, GL_UNSIGNED_BYTE, KeyColour);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    CompositeView();
    EXPECT_EQ(Pixel(10, 10)[2], off[2]);
    EXPECT_EQ(Pixel(10, 10)[3], 255);
    EXPECT_EQ(Pixel(20, 10)[3], 0);
    // The key is what this framebuffer really returns for the clear colour.
    EXPECT_EQ(KeyColour[0], 255);
    EXPECT_EQ(KeyColour[1], 0);
    EXPECT_NEAR(KeyColour[2], 229.5, 0.6);
}

TEST_F(Voxel, PictureLagsTheMotionByOneFrame) {
    Put(100, 98, 20, 1);
    WalkOn = 1;
    Render();
    std::vector<uint8_t> before = Picture();
    BeginFrame();
    ViewFrame();   // draws where the player stood, then walks
    EXPECT_EQ(Differences(before, Picture()), 0);
    EXPECT_LT(Player().cellOffset[1], 0.5f);
    WalkOn = 0;
    BeginFrame();
    ViewFrame();
    EXPECT_GT(Differences(before, Picture()), 0);
}

TEST_F(Voxel, VisitsOnlyCellsInsideTheVolumesFaces) {
    std::memset(World, 1, VolumeSize);   // everything solid: no face shows anywhere...
    SX = 0, SY = 0, SZ = 0;
    MVD = 2;
    EXPECT_EQ(Render(), 0);
    // ...except around an open cell: of the six neighbours of (1, 1, 1) only
    // those at x, y or z = 2 are drawn; the ones on the volume's faces are skipped.
    Put(1, 1, 1, 0);
    EXPECT_EQ(Render(), 3);
    activeRenderer = Renderer::Fast;
    EXPECT_EQ(Render(), 3);
}

TEST_F(Voxel, FastRendererDrawsTheSamePicture) {
    BuildWorld(77);
    for (float yaw : {0.0f, 135.0f}) {
        for (int mvd : {3, 6, 12}) {
            for (int place = 0; place < 2; ++place) {
                MVD = mvd;
                Yaw = yaw;
                Pitch = place == 0 ? -100.0f : -60.0f;
                if (place == 0) SX = 64, SY = 64, SZ = 39;   // in the dungeon
                else SX = 120, SY = 40, SZ = 29;            // over the surface
                activeRenderer = Renderer::Reference;
                long long referenceFaces = Render();
                std::vector<uint8_t> reference = Picture();
                activeRenderer = Renderer::Fast;
                long long fastFaces = Render();
                EXPECT_EQ(fastFaces, referenceFaces) << mvd << " " << place;
                EXPECT_LE(Differences(reference, Picture()), 8) << mvd << " " << place;
                EXPECT_GT(fastFaces, 0);
            }
        }
    }
    // The kept face list follows the world.
    activeRenderer = Renderer::Fast;
    SX = 64, SY = 64, SZ = 39, MVD = 6;
    long long faces = Render();
    Put(64, 62, 39, World[CellIndex(64, 62, 39)] ? 0 : 1);
    EXPECT_NE(Render(), faces);
}
