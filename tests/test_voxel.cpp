// The 3D view on the off-screen context: which faces are drawn, with which
// texture, how the picture reaches the overlay, and that the fast renderer
// draws what the immediate-mode one does.
#include <random>
#include <vector>

#include "platform/input.h"
#include "render/view_target.h"
#include "voxel_fixture.h"

class Voxel : public VoxelFixture {
protected:
    void SetUp() override {
        VoxelFixture::SetUp();
        Paint(1201, 200, 40, 40);
        Paint(1202, 40, 200, 40);
        Paint(1209, 250, 250, 30);
        CreateCubeTextures();
        activeRenderer = Renderer::Reference;
    }
    // Draws the view with the renderer the test chose (the reference unless it says).
    static long long Render() { return VoxelFixture::Render(activeRenderer); }
};

TEST_F(Voxel, LoneCubeShowsItsTextureAhead) {
    Put(100, 98, 20, 1);   // two cells ahead at a level view
    EXPECT_EQ(Render(), 6);
    EXPECT_EQ(PixelAt(160, 120), (Bytes{200, 40, 40, 255}));
    // Grass is texture 2.
    Put(100, 98, 20, 2);
    Render();
    EXPECT_EQ(PixelAt(160, 120), (Bytes{40, 200, 40, 255}));
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

TEST_F(Voxel, BackgroundStaysBlackAndOnlyTheKeyIsSkipped) {
    Render();
    for (int i = 0; i < 320 * 240; ++i) ASSERT_EQ(OverlayBuffer[4 * i + 3], 0) << i;

    // One pixel a single step of blue off the key is kept.
    BeginFrame();
    const uint8_t offBlue = KeyColour[2] ^ 1;
    glEnable(GL_SCISSOR_TEST);
    glScissor(10, 10, 1, 1);
    glClearColor(KeyColour[0] / 255.0f, KeyColour[1] / 255.0f, offBlue / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    CompositeView();
    EXPECT_EQ(PixelAt(10, 10), (Bytes{KeyColour[0], KeyColour[1], offBlue, 255}));
    EXPECT_EQ(Pixel(11, 10)[3], 0);

    // The key is a colour whatever the framebuffer's alpha: a window without
    // alpha bits reads back 255 there, and the pixel is still background.
    BeginFrame();
    glEnable(GL_SCISSOR_TEST);
    glScissor(20, 20, 1, 1);
    glClearColor(KeyColour[0] / 255.0f, KeyColour[1] / 255.0f, KeyColour[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
    CompositeView();
    EXPECT_EQ(Pixel(20, 20)[3], 0);
}

TEST_F(Voxel, PictureLagsTheMotionByOneFrame) {
    Put(100, 98, 20, 1);
    WalkOn = 1;
    Render();
    const Bytes before = Picture();
    BeginFrame();
    ViewFrame(KeyDown(Key::Z) != 0, MouseX(), MouseY());   // draws where the player stood, then walks
    EXPECT_EQ(Differences(before, Picture()), 0);
    EXPECT_LT(Player().cellOffset[1], 0.5f);
    WalkOn = 0;
    BeginFrame();
    ViewFrame(KeyDown(Key::Z) != 0, MouseX(), MouseY());
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
    viewCulling = false;
    EXPECT_EQ(Render(), 3);
}

TEST_F(Voxel, FastRendererDrawsTheSamePicture) {
    BuildWorld(77);
    const struct { int sx, sy, sz; float pitch; } places[] = {{64, 64, 39, -100.0f}, {120, 40, 29, -60.0f}};   // in the dungeon, over the surface
    long long skipped = 0;
    for (float yaw : {0.0f, 135.0f})
        for (int mvd : {3, 6, 12})
            for (const auto& p : places) {
                SCOPED_TRACE(testing::Message() << "yaw " << yaw << " MVD " << mvd << " at " << p.sx << "," << p.sy << "," << p.sz);
                MVD = mvd, Yaw = yaw, Pitch = p.pitch;
                SX = p.sx, SY = p.sy, SZ = p.sz;
                activeRenderer = Renderer::Reference;
                const long long referenceFaces = Render();
                const Bytes reference = Picture();
                activeRenderer = Renderer::Fast;
                viewCulling = false;
                EXPECT_EQ(Render(), referenceFaces);
                EXPECT_LE(Differences(reference, Picture()), 8);
                EXPECT_GT(referenceFaces, 0);
                const Bytes unculled = Picture();
                viewCulling = true;
                const long long culledFaces = Render();
                EXPECT_EQ(Differences(unculled, Picture()), 0);
                EXPECT_LE(culledFaces, referenceFaces);
                skipped += referenceFaces - culledFaces;
            }
    EXPECT_GT(skipped, 0) << "culling must skip something in these views";
    // The kept faces follow the world.
    SX = 64, SY = 64, SZ = 39, MVD = 6, Yaw = 0.0f, Pitch = -90.0f;
    const long long faces = Render();
    Put(64, 62, 39, World[CellIndex(64, 62, 39)] ? 0 : 1);
    EXPECT_NE(Render(), faces);
}

TEST_F(Voxel, TheViewsOwnFramebufferDrawsWhatTheWindowCornerDrew) {
    BuildWorld(77);
    const struct { int sx, sy, sz; float yaw, pitch; } places[] = {{64, 64, 39, 30.0f, -95.0f}, {120, 60, 27, 135.0f, -60.0f}};
    for (Renderer renderer : {Renderer::Reference, Renderer::Fast})
        for (const auto& p : places)
            for (int mvd : {6, 30}) {
                SX = p.sx, SY = p.sy, SZ = p.sz, MVD = mvd, Yaw = p.yaw, Pitch = p.pitch;
                activeRenderer = renderer;
                viewTargetOn = false;
                Render();
                const Bytes corner = Picture();
                viewTargetOn = true;
                Render();
                EXPECT_EQ(Differences(corner, Picture()), 0) << "MVD " << mvd << " at " << p.sx << "," << p.sy << "," << p.sz;
            }
}

TEST_F(Voxel, CullingChangesNoPixelInRandomViews) {
    // Patterned pictures, so that a missing face shows even in front of another of its kind.
    for (int slot = 1201; slot <= 1209; ++slot) {
        Bytes rgb;
        for (int i = 0; i < 64; ++i) rgb.insert(rgb.end(), {uint8_t(slot * 37 + i * 5), uint8_t(i * 11), uint8_t(slot + i * 3)});
        SetSlot(slot, 8, 8, rgb);
    }
    CreateCubeTextures();
    BuildWorld(31);
    activeRenderer = Renderer::Fast;
    std::mt19937 random(4242);
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto real = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    long long culled = 0, unculled = 0;
    for (int view = 0; view < 240; ++view) {
        // A third of the views sit on or just inside the volume's faces, a
        // third stand in the dungeon's open cells, where walls hide the most.
        const bool edge = view % 3 == 0, dungeon = view % 3 == 1;
        SX = edge ? (between(0, 1) ? between(0, 2) : between(253, 255)) : between(3, 252);
        SY = edge && view % 2 ? (between(0, 1) ? between(0, 2) : between(253, 255)) : between(3, 252);
        SZ = edge && view % 5 == 0 ? (between(0, 1) ? between(0, 2) : between(177, 179)) : between(20, 45);
        while (dungeon) {
            SX = between(4, 68), SY = between(4, 68), SZ = between(30, 56);
            if (World[CellIndex(SX, SY, SZ)] == 0) break;
        }
        MVD = view < 30 ? view + 1 : between(1, 30);
        Yaw = real(-360.0f, 360.0f), Pitch = real(-200.0f, 20.0f);
        // Offsets at the cell's faces put the eye right against a wall.
        for (float& offset : Player().cellOffset) offset = view % 4 == 0 ? static_cast<float>(between(0, 1)) : real(0.0f, 1.0f);
        SCOPED_TRACE(testing::Message() << "view " << view << " at " << SX << "," << SY << "," << SZ << " MVD " << MVD
                                        << " yaw " << Yaw << " pitch " << Pitch);
        viewCulling = false;
        const long long all = Render();
        const Bytes picture = Picture();
        viewCulling = true;
        const long long shown = Render();
        ASSERT_EQ(Differences(picture, Picture()), 0);
        ASSERT_LE(shown, all);
        culled += shown, unculled += all;
    }
    // Most of the MVD cube lies beside or behind the camera.
    EXPECT_LT(culled * 2, unculled);
}
