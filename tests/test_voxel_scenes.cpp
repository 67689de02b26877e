// The fast renderer against the immediate-mode reference on crafted scenes
// (panels, blueprint marks, objective markers in empty and occupied cells,
// the volume's edges), what both must show whatever their inner working, and
// the fast renderer's kept face list through the game's own frames.
#include <malloc.h>

#include <vector>

#include "platform/input.h"
#include "voxel_fixture.h"
#include "world/savegame.h"

namespace {

class VoxelScenes : public VoxelFixture {
protected:
    void SetUp() override {
        VoxelFixture::SetUp();
        // Every picture a cell value or a blueprint mark is drawn with, each its own colour.
        const int slots[] = {1201, 1202, 1203, 1204, 1205, 1206, 1209, 111, 119, 128, 137, 136, 120, 122, 167, 124, 134, 118};
        int n = 0;
        for (int slot : slots) {
            ++n;
            Paint(slot, static_cast<uint8_t>(40 + 11 * n), static_cast<uint8_t>(250 - 13 * n), static_cast<uint8_t>(n * 37 % 200 + 20));
        }
        Paint(1201, 200, 40, 40);
        Paint(1204, 10, 10, 250);
        Paint(1209, 250, 250, 30);
        CreateCubeTextures();
    }
    // The fast renderer with its view culling off draws every face the reference draws.
    static long long RenderUnculled() {
        viewCulling = false;
        const long long faces = Render(Renderer::Fast);
        viewCulling = true;
        return faces;
    }
    // The fast renderer, as it stands after whatever came before, shows what
    // the reference shows now: culled or not, the same picture.
    static void ExpectFastShowsTheReference() {
        Render(Renderer::Fast);
        const Bytes fast = Picture();
        const long long unculledFaces = RenderUnculled();
        EXPECT_EQ(Picture(), fast);
        EXPECT_EQ(unculledFaces, Render(Renderer::Reference));
        EXPECT_LE(Differences(fast, Picture()), 8);
        activeRenderer = Renderer::Fast;   // the game's frames go on with the fast one
    }
};

TEST_F(VoxelScenes, BothRenderersDrawPanelsWithTextureOneAndMarkersAtTheirSize) {
    for (Renderer renderer : {Renderer::Reference, Renderer::Fast}) {
        SCOPED_TRACE(renderer == Renderer::Fast ? "fast" : "reference");
        std::memset(World, 0, VolumeSize);
        std::memset(Flagmap, 0, VolumeSize);
        Put(100, 97, 20, 1);
        Render(renderer);
        const int cube = RunWidth(200, 40, 40);
        ASSERT_GT(cube, 20);

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

TEST_F(VoxelScenes, FastRendererMatchesTheReferenceOnCraftedScenes) {
    // Every kind of cell the renderers know: cubes, panels, blueprint marks
    // and values past them, with markers in empty and occupied cells.
    const uint8_t values[] = {0, 1, 2, 0, 3, PanelCell, 0, 5, 6, 9, 10, Rock, Floor, Door, StairFoot, StairHead,
                              Chest, Candelabrum, Scroll, Coffin, Fountain, Special, 200, 0, 0};
    const int valueCount = sizeof values;
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
                    WritableWorld()[CellIndex(x, y, z)] = values[h % valueCount];
                    if (h / 7 % 9 == 0) WritableFlagmap()[CellIndex(x, y, z)] = ObjectiveFlag;
                }
        for (float yaw : {0.0f, 100.0f, 225.0f})
            for (float pitch : {-90.0f, -40.0f, -150.0f}) {
                SCOPED_TRACE(testing::Message() << "at " << SX << "," << SY << "," << SZ << " yaw " << yaw << " pitch " << pitch);
                Yaw = yaw, Pitch = pitch;
                const long long referenceFaces = Render(Renderer::Reference);
                const Bytes reference = Picture();
                EXPECT_EQ(RenderUnculled(), referenceFaces);
                const Bytes unculled = Picture();
                Render(Renderer::Fast);
                EXPECT_EQ(Picture(), unculled);
                // A few edge pixels may round the other way; a wrong texture or size costs hundreds.
                EXPECT_LE(Differences(reference, Picture()), 40);
            }
    }
}

TEST_F(VoxelScenes, RockBesideAPanelIsSeenThroughAndCulledAlike) {
    // A wall of rock with the player in a panel cell against it: rock draws
    // no face toward a panel across its sides, so the view looks into the
    // rock and sees the far faces of the wall from behind.
    for (int z = 10; z <= 30; ++z)
        for (int y = 90; y <= 99; ++y)
            for (int x = 90; x <= 110; ++x) Put(x, y, z, y == 90 ? 2 : 1);
    Put(100, 100, 20, PanelCell);
    MVD = 12;
    Player().cellOffset[0] = 0.3f;   // off the panel's own plane
    const long long unculledFaces = RenderUnculled();
    const Bytes unculled = Picture();
    const long long culledFaces = Render(Renderer::Fast);
    EXPECT_EQ(Picture(), unculled);
    EXPECT_LT(culledFaces, unculledFaces);
    EXPECT_GT(RunWidth(62, 224, 94), 40) << "the far face of the wall, value 2, seen through the rock";
}

TEST_F(VoxelScenes, WhatTheViewSeesFollowsTheWorld) {
    // A wall ahead hides a room whose far wall is value 2.
    for (int z = 15; z <= 25; ++z)
        for (int x = 94; x <= 106; ++x) {
            Put(x, 97, z, 1);
            Put(x, 89, z, 2);
        }
    MVD = 12;
    const auto farWall = [] { return RunWidth(62, 224, 94); };
    Render(Renderer::Fast);
    ASSERT_EQ(farWall(), 0);

    // A hole opened by the game shows the room in the very next frame...
    Put(100, 97, 20, 0);
    Render(Renderer::Fast);
    EXPECT_GT(farWall(), 0);
    const Bytes open = Picture();
    RenderUnculled();
    EXPECT_EQ(Picture(), open);

    // ...and so does one opened behind its back once the kept faces are dropped.
    Put(100, 97, 20, 1);
    Render(Renderer::Fast);
    ASSERT_EQ(farWall(), 0);
    World[CellIndex(100, 97, 20)] = 0;
    InvalidateFaceList();
    Render(Renderer::Fast);
    EXPECT_EQ(Picture(), open);
}

TEST_F(VoxelScenes, WhatTheViewSeesFollowsTheCameraInsideItsCell) {
    // A wall five cells thick ahead and a room behind it; pillars around the player.
    for (int z = 15; z <= 25; ++z)
        for (int x = 94; x <= 106; ++x) {
            for (int y = 95; y <= 99; ++y) Put(x, y, z, 1);
            Put(x, 89, z, 2);
        }
    for (int x = 96; x <= 104; x += 8)
        for (int y = 101; y <= 105; y += 4) Put(x, y, 20, 3);
    MVD = 12;
    // Culled first each time, so that a view kept from before would show.
    const auto expectSameAsUnculled = [&](const char* what) {
        Render(Renderer::Fast);
        const Bytes culled = Picture();
        RenderUnculled();
        EXPECT_EQ(Differences(culled, Picture()), 0) << what;
    };
    for (float yaw = 0.0f; yaw < 360.0f; yaw += 45.0f) {
        Yaw = yaw;
        expectSameAsUnculled("turning");
    }
    // Up against the wall the near plane cuts its face away and the view
    // looks into the rock, at the room's wall seen from behind.
    Yaw = 0.0f;
    expectSameAsUnculled("in the middle of the cell");
    Player().cellOffset[1] = 0.04f;
    expectSameAsUnculled("against the wall");
    // The console's MVD changes the box the view may reach: a pillar ten cells behind the player.
    Player().cellOffset[1] = 0.5f;
    Put(102, 110, 20, 2);
    Yaw = 180.0f;
    MVD = 4;
    expectSameAsUnculled("a short MVD");
    MVD = 12;
    expectSameAsUnculled("the MVD raised again");
    EXPECT_GT(RunWidth(62, 224, 94), 0);
}

TEST_F(VoxelScenes, TheKeptFaceListFollowsPickupLoadAndLayerKeys) {
    activeRenderer = Renderer::Fast;
    for (int x = 95; x <= 105; ++x) World[CellIndex(x, 96, 20)] = 2;   // a wall ahead
    World[CellIndex(100, 100, 21)] = 0;
    Mark(100, 100, 20);   // the player's own cell: picked up in the first frame
    objectivesTotal = 3;
    MVD = 6;

    // A pickup in a real frame: the next frame no longer shows the marker.
    RunFrame();
    ASSERT_EQ(objectivesFound, 1);
    ExpectFastShowsTheReference();

    // A real load through F7 brings back a world the fast renderer has not seen.
    SaveGame(1, DrawProgressScreen);
    for (int x = 95; x <= 105; ++x) WritableWorld()[CellIndex(x, 96, 20)] = 0;
    RunFrame();
    HeadlessSetKey(Key::F7, true);
    RunFrame();
    HeadlessReleaseAllKeys();
    ASSERT_EQ(World[CellIndex(100, 96, 20)], 2) << "the load did not happen";
    ExpectFastShowsTheReference();

    // The layer keys move the cursor a layer down, into an open cell.
    World[CellIndex(100, 96, 21)] = 0;
    RunFrame();
    HeadlessSetKey(Key::KeypadPlus, true);
    RunFrame();
    HeadlessReleaseAllKeys();
    ASSERT_EQ(SZ, 21);
    ExpectFastShowsTheReference();
}

TEST_F(VoxelScenes, AnOverlaySmallerThanTheViewLeavesItAlone) {
    // The read-back always takes the whole 320 x 240 view, so its buffer
    // holds that much whatever the overlay's size; an overlay of another size
    // is not written.
    Put(100, 97, 20, 1);
    SetOverlaySize(16, 16);
    ASSERT_GE(malloc_usable_size(ReadbackBuffer), size_t(320 * 240 * 3));
    std::memset(OverlayBuffer, 7, 16 * 16 * 4);
    for (int frame = 0; frame < 3; ++frame) {
        BeginFrame();
        std::memset(OverlayBuffer, 7, 16 * 16 * 4);
        ViewFrame(KeyDown(Key::Z) != 0, MouseX(), MouseY());
        for (int i = 0; i < 16 * 16 * 4; ++i) ASSERT_EQ(OverlayBuffer[i], 7) << i;
    }
    SetOverlaySize(320, 240);
}

}  // namespace
