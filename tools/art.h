// Shared pieces of the asset-pack generator: an RGB canvas with simple
// drawing primitives, a deterministic integer hash for texture noise, the
// picture painters and the file writers. The generator runs at build time
// only; none of this is linked into the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
};

// A picture being drawn, row 0 at the TOP (the natural order for drawing);
// the BMP writer flips it into the file's bottom-up order.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;   // width x height x 3
};

// ---- canvas.cpp: drawing ----

void NewCanvas(Canvas& c, int width, int height, Rgb fill);
Rgb GetPixel(const Canvas& c, int x, int y);            // clamped to the canvas
void SetPixel(Canvas& c, int x, int y, Rgb colour);     // ignored outside
void BlendPixel(Canvas& c, int x, int y, Rgb colour, int alpha);   // alpha 0..255
void FillRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour);   // inclusive corners
void FrameRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour);
void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Rgb colour);
// A lit sphere-like disc: brighter towards the upper left, darker at the rim.
void FillBall(Canvas& c, float cx, float cy, float rx, float ry, Rgb colour);
void DrawLine(Canvas& c, float x0, float y0, float x1, float y1, float thickness, Rgb colour);
// A filled polygon (even-odd rule), points as x0, y0, x1, y1, ...
void FillPolygon(Canvas& c, const std::vector<float>& points, Rgb colour);
// Paints an outline on background pixels that touch an object (a pixel clearly
// unlike the background; faint glows do not count).
void Outline(Canvas& c, Rgb background, Rgb outline);
// A glow: colour blended in with strength falling off from the centre.
void Glow(Canvas& c, float cx, float cy, float radius, Rgb colour, int strength);

Rgb Shade(Rgb colour, int percent);      // 100 keeps the colour; above brightens
Rgb Mix(Rgb a, Rgb b, int percentOfB);

// ---- noise.cpp: deterministic noise ----

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed);
// Smooth value noise 0..255 on a lattice of `cell` pixels that repeats every
// `period` pixels (period a multiple of cell), so textures tile seamlessly.
int ValueNoise(int x, int y, int cell, int period, uint32_t seed);
// Several octaves of ValueNoise from `cell` down to 2 pixels, 0..255.
int FractalNoise(int x, int y, int cell, int period, uint32_t seed);

// ---- the painters: each fills `c` for a named file, false for an unknown name ----

bool PaintCube(const std::string& name, Canvas& c);        // art_cube.cpp
bool PaintUnit(const std::string& name, Canvas& c);        // art_units.cpp
bool PaintMonster(const std::string& name, Canvas& c);     // art_monsters.cpp, on the unit backdrop, no outline
bool PaintItem(const std::string& name, Canvas& c);        // art_items.cpp
bool PaintDungeon(const std::string& name, Canvas& c);     // art_dungeon.cpp
bool PaintLand(const std::string& name, Canvas& c);        // art_land.cpp
bool PaintStructure(const std::string& name, Canvas& c);   // art_land.cpp
bool PaintScreen(const std::string& name, Canvas& c);      // art_screen.cpp (cross and intro)

// make_assets.cpp: the picture for a file of a folder, ready to write
// (key colours removed). False when no painter knows the name.
bool PaintPicture(const std::string& folder, const std::string& name, Canvas& c);

// ---- overworld.cpp ----

constexpr int MapSide = 256;
// The terrain plane of map 1: byte y * 256 + x is the terrain of cell (x, y).
std::vector<uint8_t> MakeOverworld();

// ---- image_files.cpp ----

std::vector<uint8_t> EncodeBmp(const Canvas& c);   // 24-bit, 54-byte header, bottom-up
std::vector<uint8_t> EncodePng(const Canvas& c);   // 8-bit RGB through libpng; empty on failure
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// ---- icon.cpp ----

// The desktop icon, side x side pixels (side a multiple of 4); false when a
// texture it is drawn from has no painter.
bool DrawIcon(Canvas& icon, int side);

// ---- contact_sheet.cpp ----

// Every distinct picture of the sets on one grid, each at `scale` times its size.
bool WriteContactSheet(const std::string& path, int scale);
