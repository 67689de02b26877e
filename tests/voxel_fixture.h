// A game on the headless back end set up for picture tests of the 3D view:
// the player at (100, 100, 20) looking level toward smaller y, and helpers to
// place cells, draw one view and read its pixels.
#pragma once

#include <cstring>

#include "game_fixture.h"
#include "platform/present.h"
#include "render/textures.h"
#include "render/voxel.h"
#include "render/voxel_fast.h"

class VoxelFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SX = 100, SY = 100, SZ = 20;
        Player().cellOffset[0] = Player().cellOffset[1] = Player().cellOffset[2] = 0.5f;
        Yaw = 0.0f, Pitch = -90.0f;   // level, looking toward smaller y
    }
    void TearDown() override {
        activeRenderer = Renderer::Fast;
        viewCulling = true;
        GameFixture::TearDown();
    }
    // A plain-coloured 8 x 8 picture, so a face's texture shows as its colour.
    static void Paint(int slot, uint8_t r, uint8_t g, uint8_t b) {
        Bytes rgb;
        for (int i = 0; i < 64; ++i) rgb.insert(rgb.end(), {r, g, b});
        SetSlot(slot, 8, 8, rgb);
    }
    static void Put(int x, int y, int z, uint8_t v) { WritableWorld()[CellIndex(x, y, z)] = v; }
    static void Mark(int x, int y, int z) { WritableFlagmap()[CellIndex(x, y, z)] = ObjectiveFlag; }
    // Draws the view with this renderer (no motion) and composites it; returns the faces drawn.
    static long long Render(Renderer renderer) {
        activeRenderer = renderer;
        BeginFrame();
        renderedFaces = 0;
        DrawView();
        CompositeView();
        return renderedFaces;
    }
    static const uint8_t* Pixel(int x, int y) { return OverlayBuffer + 4 * (y * 320 + x); }
    static Bytes PixelAt(int x, int y) { return Bytes(Pixel(x, y), Pixel(x, y) + 4); }
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
};
