// The 3D view on the off-screen context: which faces are drawn, with which
// texture, how the picture reaches the overlay, that the fast renderer draws
// what the immediate-mode one does on crafted scenes, that its culling changes
// no pixel in random views, and that its kept face list follows the world and the game.
#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "game_fixture.h"
#include "platform/input.h"
#include "platform/present.h"
#include "render/textures.h"
#include "render/view_target.h"
#include "render/voxel.h"
#include "render/voxel_fast.h"
#include "world/savegame.h"

namespace {

// A game on the headless back end with the player at (100, 100, 20) looking
// level toward smaller y, every picture a cell value or a blueprint mark is
// drawn with plain and of its own colour, and helpers to place cells, draw
// one view and read its pixels.
class Voxel : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;
        for (float& offset : Player().cellOffset) offset = 0.5f;
        Yaw = 0.0f, Pitch = -90.0f;
        const int slots[] = {1201, 1202, 1203, 1204, 1205, 1206, 1209, 111, 119, 128, 137, 136, 120, 122, 167, 124, 134, 118};
        for (int n = 1; n <= int(std::size(slots)); ++n) Paint(slots[n - 1], uint8_t(40 + 11 * n), uint8_t(250 - 13 * n), uint8_t(n * 37 % 200 + 20));
        Paint(1201, 200, 40, 40);
        Paint(1204, 10, 10, 250);
        Paint(1209, 250, 250, 30);
        CreateCubeTextures();
    }
    // A plain-coloured 8 x 8 picture, so a face's texture shows as its colour.
    static void Paint(int slot, uint8_t r, uint8_t g, uint8_t b) {
        Bytes rgb;
        for (int i = 0; i < 64; ++i) rgb.insert(rgb.end(), {r, g, b});
        SetSlot(slot, 8, 8, rgb);
    }
    static void Put(int x, int y, int z, uint8_t v) { WritableWorld()[CellIndex(x, y, z)] = v; }
    static void Mark(int x, int y, int z) { WritableFlagmap()[CellIndex(x, y, z)] = ObjectiveFlag; }
    // Draws the view with this renderer (no motion) and composites it; returns
    // the faces drawn. The game's frames go on with the fast one, culled.
    static long long Render(Renderer renderer, bool culling = true) {
        activeRenderer = renderer;
        viewCulling = culling;
        BeginFrame();
        renderedFaces = 0;
        DrawView();
        CompositeView();
        activeRenderer = Renderer::Fast;
        viewCulling = true;
        return renderedFaces;
    }
    static long long RenderUnculled() { return Render(Renderer::Fast, false); }
    static Bytes PixelAt(int x, int y) { return Bytes(OverlayBuffer + 4 * (y * 320 + x), OverlayBuffer + 4 * (y * 320 + x) + 4); }
    static Bytes Picture() { return Bytes(OverlayBuffer, OverlayBuffer + 320 * 240 * 4); }
    static int Differences(const Bytes& a, const Bytes& b) {
        int n = 0;
        for (size_t i = 0; i < a.size(); i += 4) n += std::memcmp(&a[i], &b[i], 4) != 0;
        return n;
    }
    // Pixels of the opaque colour (r, g, b) on the picture's middle row.
    static int RunWidth(uint8_t r, uint8_t g, uint8_t b) {
        int n = 0;
        for (int x = 0; x < 320; ++x) n += PixelAt(x, 120) == Bytes{r, g, b, 255};
        return n;
    }
    static int FarWall() { return RunWidth(62, 224, 94); }   // value 2's colour
    // The fast renderer culled, as it stands after whatever came before, shows
    // what it shows unculled, and that is the reference's picture and faces.
    static void ExpectFastShowsTheReference(int tolerance, const std::string& what) {
        SCOPED_TRACE(what);
        Render(Renderer::Fast);
        const Bytes culled = Picture();
        const long long unculledFaces = RenderUnculled();
        EXPECT_EQ(Differences(culled, Picture()), 0);
        const Bytes unculled = Picture();
        EXPECT_EQ(unculledFaces, Render(Renderer::Reference));
        // A few edge pixels may round the other way; a wrong texture or size costs hundreds.
        EXPECT_LE(Differences(unculled, Picture()), tolerance);
    }
};

TEST_F(Voxel, CubesPanelsAndMarkersInBothRenderers) {
    for (Renderer renderer : {Renderer::Reference, Renderer::Fast}) {
        SCOPED_TRACE(renderer == Renderer::Fast ? "fast" : "reference");
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        // A cube ahead shows its value's texture; one behind the eye nothing.
        Put(100, 102, 20, 1);
        Render(renderer);
        EXPECT_EQ(PixelAt(160, 120)[3], 0);
        Put(100, 102, 20, 0);
        Put(100, 97, 20, 2);
        Render(renderer);
        EXPECT_EQ(PixelAt(160, 120), (Bytes{62, 224, 94, 255}));
        Put(100, 97, 20, 1);
        Render(renderer);
        EXPECT_EQ(PixelAt(160, 120), (Bytes{200, 40, 40, 255}));
        const int cube = RunWidth(200, 40, 40);
        ASSERT_GT(cube, 20);
        // A panel is one quad with texture 1, not value 4's own.
        Put(100, 97, 20, PanelCell);
        EXPECT_EQ(Render(renderer), 1);
        EXPECT_GT(RunWidth(200, 40, 40), 0);
        EXPECT_EQ(RunWidth(10, 10, 250), 0) << "value 4's own texture";
        // A marker in an empty cell is 0.7 of a cell wide; in an occupied one half that.
        Put(100, 97, 20, 0);
        Mark(100, 97, 20);
        EXPECT_EQ(Render(renderer), 6);
        EXPECT_NEAR(static_cast<double>(RunWidth(250, 250, 30)) / cube, 0.7, 0.06);
        Put(100, 97, 20, PanelCell);
        EXPECT_EQ(Render(renderer), 1 + 6);
        EXPECT_NEAR(static_cast<double>(RunWidth(250, 250, 30)) / cube, 0.35, 0.06);
    }
}

TEST_F(Voxel, HiddenFacesAreNotDrawn) {
    for (int d = -1; d <= 1; d += 2) {
        Put(100 + d, 97, 20, 1);
        Put(100, 97 + d, 20, 1);
        Put(100, 97, 20 + d, 1);
    }
    EXPECT_EQ(Render(Renderer::Reference), 6 * 6);   // six lone cubes
    Put(100, 97, 20, 1);   // the centre, solid on all six sides, draws nothing and hides six faces
    EXPECT_EQ(Render(Renderer::Reference), 6 * 5);
    // A panel above counts as open for the vertical face, but not sideways.
    Put(100, 97, 19, PanelCell);
    EXPECT_EQ(Render(Renderer::Reference), 6 * 5 - 5 + 1 + 1);   // the panel's own quad, and the centre's upper face
    Put(100, 97, 19, 1);
    Put(101, 97, 20, PanelCell);
    Put(100, 96, 20, PanelCell);
    EXPECT_EQ(Render(Renderer::Reference), 6 * 5 - 2 * 5 + 2);   // the centre's +x and -y faces stay hidden
}

TEST_F(Voxel, BackgroundStaysBlackAndOnlyTheKeyIsSkipped) {
    // The first view in a context also measures the key colour it reads back.
    Render(Renderer::Reference);
    for (int i = 0; i < 320 * 240; ++i) ASSERT_EQ(OverlayBuffer[4 * i + 3], 0) << i;
    // One framebuffer pixel cleared to (r, g, b, alpha) before the composite.
    const auto composite = [](int at, uint8_t blue, float alpha) {
        BeginFrame();
        glEnable(GL_SCISSOR_TEST);
        glScissor(at, at, 1, 1);
        glClearColor(KeyColour[0] / 255.0f, KeyColour[1] / 255.0f, blue / 255.0f, alpha);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        CompositeView();
    };
    // One pixel a single step of blue off the key is kept.
    const uint8_t offBlue = KeyColour[2] ^ 1;
    composite(10, offBlue, 0.0f);
    EXPECT_EQ(PixelAt(10, 10), (Bytes{KeyColour[0], KeyColour[1], offBlue, 255}));
    EXPECT_EQ(PixelAt(11, 10)[3], 0);
    // The key is a colour whatever the framebuffer's alpha: a window without
    // alpha bits reads back 255 there, and the pixel is still background.
    composite(20, KeyColour[2], 1.0f);
    EXPECT_EQ(PixelAt(20, 20)[3], 0);
}

TEST_F(Voxel, PictureLagsTheMotionByOneFrame) {
    Put(100, 98, 20, 1);
    WalkOn = 1;
    Render(Renderer::Fast);
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
    EXPECT_EQ(Render(Renderer::Reference), 0);
    // ...except around an open cell: of the six neighbours of (1, 1, 1) only
    // those at x, y or z = 2 are drawn; the ones on the volume's faces are skipped.
    Put(1, 1, 1, 0);
    EXPECT_EQ(Render(Renderer::Reference), 3);
    EXPECT_EQ(RenderUnculled(), 3);
}

TEST_F(Voxel, FastRendererMatchesTheReferenceOnCraftedScenes) {
    // Every kind of cell the renderers know: cubes, panels, blueprint marks
    // and values past them, with markers in empty and occupied cells, in the
    // middle of the volume and at its corners.
    const uint8_t values[] = {0, 1, 2, 0, 3, PanelCell, 0, 5, 6, 9, 10, Rock, Floor, Door, StairFoot, StairHead,
                              Chest, Candelabrum, Scroll, Coffin, Fountain, Special, 200, 0, 0};
    const struct { int sx, sy, sz; } places[] = {{100, 100, 20}, {1, 1, 1}, {254, 254, 178}, {0, 128, 60}, {255, 0, 179}};
    for (const auto& place : places) {
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        SX = place.sx, SY = place.sy, SZ = place.sz;
        MVD = 5;
        for (int z = SZ - 6; z <= SZ + 6; ++z)
            for (int y = SY - 6; y <= SY + 6; ++y)
                for (int x = SX - 6; x <= SX + 6; ++x) {
                    if (!InsideVolume(x, y, z) || (x == SX && y == SY && z == SZ)) continue;
                    unsigned h = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ unsigned(z) * 83492791u;
                    Put(x, y, z, values[h % sizeof values]);
                    if (h / 7 % 9 == 0) Mark(x, y, z);
                }
        for (float yaw : {0.0f, 100.0f, 225.0f})
            for (float pitch : {-90.0f, -40.0f, -150.0f}) {
                Yaw = yaw, Pitch = pitch;
                ExpectFastShowsTheReference(40, testing::PrintToString(std::tuple(SX, SY, SZ, yaw, pitch)));
            }
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
        const long long all = RenderUnculled();
        const Bytes picture = Picture();
        const long long shown = Render(Renderer::Fast);
        ASSERT_EQ(Differences(picture, Picture()), 0);
        ASSERT_LE(shown, all);
        culled += shown, unculled += all;
        // Now and then the window's corner shows what the view's own framebuffer did.
        if (view % 8 == 4) {
            viewTargetOn = false;
            Render(Renderer::Fast);
            viewTargetOn = true;
            ASSERT_EQ(Differences(picture, Picture()), 0) << "through the window's corner";
        }
    }
    // Most of the MVD cube lies beside or behind the camera.
    EXPECT_LT(culled * 2, unculled);
}

TEST_F(Voxel, WhatTheViewSeesFollowsTheCameraInsideItsCellAndTheWorld) {
    // A wall five cells thick ahead and a room behind it whose far wall is
    // value 2; pillars around the player.
    for (int z = 15; z <= 25; ++z)
        for (int x = 94; x <= 106; ++x) {
            for (int y = 95; y <= 99; ++y) Put(x, y, z, 1);
            Put(x, 89, z, 2);
        }
    for (int x = 96; x <= 104; x += 8)
        for (int y = 101; y <= 105; y += 4) Put(x, y, 20, 3);
    Put(102, 110, 20, 2);   // a pillar ten cells behind the player
    // Up against the wall the near plane cuts its face away and the view
    // looks into the rock, at the room's wall seen from behind; the MVD
    // changes the box the view may reach. Culled first each time, so that a
    // view kept from before would show.
    const struct { float yaw, offsetY; int mvd; } views[] = {
        {0, 0.5f, 12}, {45, 0.5f, 12}, {90, 0.5f, 12}, {135, 0.5f, 12}, {180, 0.5f, 12}, {225, 0.5f, 12}, {270, 0.5f, 12},
        {315, 0.5f, 12}, {0, 0.04f, 12}, {180, 0.5f, 4}, {180, 0.5f, 12}};
    for (const auto& v : views) {
        Yaw = v.yaw, Player().cellOffset[1] = v.offsetY, MVD = v.mvd;
        Render(Renderer::Fast);
        const Bytes culled = Picture();
        RenderUnculled();
        EXPECT_EQ(Differences(culled, Picture()), 0) << "yaw " << v.yaw << " offset " << v.offsetY << " MVD " << v.mvd;
    }
    EXPECT_GT(FarWall(), 0);
    // Looking ahead again: a tunnel the game digs through the wall shows the
    // room in the very next frame...
    const auto tunnel = [](uint8_t* world, uint8_t v) {
        for (int y = 95; y <= 99; ++y) world[CellIndex(100, y, 20)] = v;
    };
    Yaw = 0.0f;
    Render(Renderer::Fast);
    ASSERT_EQ(FarWall(), 0);
    tunnel(WritableWorld(), 0);
    Render(Renderer::Fast);
    EXPECT_GT(FarWall(), 0);
    const Bytes open = Picture();
    // ...and so does one dug behind its back once the kept faces are dropped.
    tunnel(WritableWorld(), 1);
    Render(Renderer::Fast);
    ASSERT_EQ(FarWall(), 0);
    tunnel(World, 0);
    InvalidateFaceList();
    Render(Renderer::Fast);
    EXPECT_EQ(Picture(), open);
}

TEST_F(Voxel, TheKeptFaceListFollowsPickupLoadAndLayerKeys) {
    for (int x = 95; x <= 105; ++x) World[CellIndex(x, 96, 20)] = 2;   // a wall ahead
    World[CellIndex(100, 100, 21)] = 0;
    Mark(100, 100, 20);   // the player's own cell: picked up in the first frame
    objectivesTotal = 3;
    MVD = 6;
    // A pickup in a real frame: the next frame no longer shows the marker.
    RunFrame();
    ASSERT_EQ(objectivesFound, 1);
    ExpectFastShowsTheReference(8, "after the pickup");
    // A real load through F7 brings back a world the fast renderer has not seen.
    SaveGame(1, DrawProgressScreen);
    for (int x = 95; x <= 105; ++x) WritableWorld()[CellIndex(x, 96, 20)] = 0;
    RunFrame();
    Tap({Key::F7});
    ASSERT_EQ(World[CellIndex(100, 96, 20)], 2) << "the load did not happen";
    ExpectFastShowsTheReference(8, "after the load");
    // The layer keys move the cursor a layer down, into an open cell.
    World[CellIndex(100, 96, 21)] = 0;
    RunFrame();
    Tap({Key::KeypadPlus});
    ASSERT_EQ(SZ, 21);
    ExpectFastShowsTheReference(8, "after the layer key");
}

}  // namespace
