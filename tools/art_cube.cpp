// The cube textures, 64 x 64 (OpenGL 1.x wants a power-of-two side, and the
// game passes the width as the height too). The wall and ground textures tile
// seamlessly: brickold2 is the rock of the whole world and dirt and grass
// cover the surface, so any seam would repeat on every cube face.
#include <algorithm>
#include <cmath>

#include "tools/art.h"

namespace {

constexpr int Side = 64;

// Bricks laid in running bond. Each brick gets its own hue and wear from the
// hash of its position; the mortar joint is the last row and column of a brick.
struct BrickStyle {
    int brickWidth, brickHeight;
    Rgb brick, mortar;
    int hueSpread;      // percent of brightness by which bricks differ
    int wear;           // how strongly the weathering noise darkens
    uint32_t seed;
};

void PaintBricks(Canvas& c, const BrickStyle& s) {
    NewCanvas(c, Side, Side, s.mortar);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const int row = y / s.brickHeight;
            const int shifted = (x + (row % 2) * s.brickWidth / 2) % Side;
            const int col = shifted / s.brickWidth;
            const int bx = shifted % s.brickWidth, by = y % s.brickHeight;
            const uint32_t brickId = Hash(uint32_t(col), uint32_t(row), s.seed);
            const int grain = FractalNoise(x, y, 16, Side, s.seed + 7);
            const int grime = ValueNoise(x, y, 32, Side, s.seed + 11);
            const bool joint = bx == s.brickWidth - 1 || by == s.brickHeight - 1;
            // Chipped corners: the worn edge of an old brick shows mortar.
            const bool chipped = (bx == 0 || bx == s.brickWidth - 2) && (by == 0 || by == s.brickHeight - 2) &&
                                 (Hash(uint32_t(x), uint32_t(y), s.seed + 3) & 3) == 0;
            Rgb p;
            if (joint || chipped) {
                p = Shade(s.mortar, 80 + grain / 6);
            } else {
                const int hue = 100 - s.hueSpread + int(brickId % uint32_t(2 * s.hueSpread + 1));
                p = Shade(s.brick, hue * (78 + grain / 5) / 100);
                if (by == 0) p = Shade(p, 118);                            // lit upper edge
                if (by == s.brickHeight - 2 || bx == s.brickWidth - 2) p = Shade(p, 82);   // shadowed lower edge
                if ((Hash(uint32_t(x), uint32_t(y), s.seed + 5) & 15) == 0) p = Shade(p, 85);   // pits
            }
            if (grime > 150) p = Shade(p, 100 - (grime - 150) * s.wear / 105);   // old soot and damp
            SetPixel(c, x, y, p);
        }
}

// A crack: a short random walk of dark pixels, wrapping round the edges.
void Crack(Canvas& c, int x, int y, int steps, uint32_t seed) {
    for (int i = 0; i < steps; ++i) {
        SetPixel(c, (x + Side) % Side, (y + Side) % Side, Shade(GetPixel(c, (x + Side) % Side, (y + Side) % Side), 45));
        const uint32_t h = Hash(uint32_t(i), 0, seed);
        x += int(h % 3) - 1;
        y += (h >> 4) % 4 == 0 ? 0 : 1;
    }
}

void PaintGrass(Canvas& c) {
    NewCanvas(c, Side, Side, {60, 120, 40});
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const int n = FractalNoise(x, y, 16, Side, 21);
            SetPixel(c, x, y, Rgb{uint8_t(38 + n / 6), uint8_t(92 + n / 3), uint8_t(26 + n / 10)});
        }
    // Blades: short upright strokes, light at the tip, wrapped at the edges.
    for (int i = 0; i < 420; ++i) {
        const uint32_t h = Hash(uint32_t(i), 1, 22);
        const int x = int(h % Side), y = int((h >> 8) % Side), len = 2 + int((h >> 16) % 4);
        const bool light = (h >> 20) & 1;
        for (int k = 0; k < len; ++k) {
            const Rgb blade = light ? Rgb{uint8_t(104 + 12 * k), uint8_t(170 + 12 * k), 60} : Rgb{34, 78, 22};
            SetPixel(c, (x + ((h >> 24) & 1) * (k / 2)) % Side, (y - k + Side) % Side, blade);
        }
    }
}

void PaintDirt(Canvas& c) {
    NewCanvas(c, Side, Side, {110, 76, 46});
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const int n = FractalNoise(x, y, 16, Side, 31);
            const int speck = (Hash(uint32_t(x), uint32_t(y), 32) & 7) == 0 ? 18 : 0;
            SetPixel(c, x, y, Shade(Rgb{122, 84, 52}, 62 + n / 4 - speck));
        }
    // Pebbles, drawn at every wrapped position so that they cross edges cleanly.
    for (int i = 0; i < 26; ++i) {
        const uint32_t h = Hash(uint32_t(i), 2, 33);
        const float x = float(h % Side), y = float((h >> 8) % Side);
        const float r = 1.2f + float((h >> 16) % 3) * 0.6f;
        const Rgb stone = (h >> 20) & 1 ? Rgb{150, 138, 120} : Rgb{96, 80, 66};
        for (int dy = -Side; dy <= Side; dy += Side)
            for (int dx = -Side; dx <= Side; dx += Side) {
                FillEllipse(c, x + dx + 0.6f, y + dy + 0.8f, r + 0.4f, r * 0.8f, Rgb{70, 48, 30});   // shadow
                FillBall(c, x + dx, y + dy, r + 0.4f, r * 0.8f, stone);
            }
    }
}

// Paving stones as in a photograph of a path: cells around jittered points,
// each stone darker towards its joints and with its own tint and grain.
void PaintStonePhoto(Canvas& c) {
    NewCanvas(c, Side, Side, {0, 0, 0});
    constexpr int Cell = 16, Cells = Side / Cell;
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            int best = 1 << 30, second = 1 << 30;
            uint32_t owner = 0;
            for (int gy = y / Cell - 1; gy <= y / Cell + 1; ++gy)
                for (int gx = x / Cell - 1; gx <= x / Cell + 1; ++gx) {
                    const uint32_t id = Hash(uint32_t((gx + Cells) % Cells), uint32_t((gy + Cells) % Cells), 61);
                    const int px = gx * Cell + 3 + int(id % 10), py = gy * Cell + 3 + int((id >> 8) % 10);
                    const int d = (px - x) * (px - x) + (py - y) * (py - y);
                    if (d < best) {
                        second = best;
                        best = d;
                        owner = id;
                    } else if (d < second) {
                        second = d;
                    }
                }
            const float edge = std::sqrt(float(second)) - std::sqrt(float(best));   // distance to the joint
            const int grain = FractalNoise(x, y, 8, Side, 62);
            const Rgb tint = Mix(Rgb{128, 122, 112}, Rgb{150, 132, 104}, int(owner >> 16) % 60);
            Rgb p = Shade(tint, 70 + grain / 5 + int(owner >> 24) % 20);
            if (edge < 1.2f) p = Rgb{46, 42, 38};
            else if (edge < 2.6f) p = Shade(p, 72);
            if ((Hash(uint32_t(x), uint32_t(y), 63) & 31) == 0) p = Shade(p, 130);   // mica glints
            SetPixel(c, x, y, p);
        }
}

void PaintGold(Canvas& c) {
    NewCanvas(c, Side, Side, {60, 40, 14});
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) SetPixel(c, x, y, Shade(Rgb{80, 56, 20}, 60 + FractalNoise(x, y, 16, Side, 71) / 4));
    // A heap of coins: far ones first, each a shaded disc with a raised rim.
    for (int i = 0; i < 46; ++i) {
        const uint32_t h = Hash(uint32_t(i), 3, 72);
        const float x = float(h % 60) + 2, y = float(i) * 1.3f + float((h >> 8) % 6);
        const float r = 6.5f + float((h >> 16) % 3);
        FillEllipse(c, x + 1, y + 1.5f, r, r * 0.55f, Rgb{90, 60, 10});
        FillBall(c, x, y, r, r * 0.55f, Rgb{250, 196, 50});
        FillEllipse(c, x, y, r * 0.62f, r * 0.32f, Rgb{214, 160, 32});
        FillEllipse(c, x - 0.5f, y - 0.5f, r * 0.5f, r * 0.24f, Rgb{255, 226, 110});
    }
    for (int i = 0; i < 14; ++i) {   // sparkles
        const uint32_t h = Hash(uint32_t(i), 4, 73);
        const int x = int(h % Side), y = int((h >> 8) % Side);
        SetPixel(c, x, y, {255, 255, 220});
        SetPixel(c, x + 1, y, {255, 240, 160});
        SetPixel(c, x - 1, y, {255, 240, 160});
        SetPixel(c, x, y + 1, {255, 240, 160});
        SetPixel(c, x, y - 1, {255, 240, 160});
    }
}

// The objective marker: it must be seen from afar in a dark dungeon, so it is
// all bright: a glowing cyan field, a gold border and a yellow faceted gem.
void PaintObjective(Canvas& c) {
    NewCanvas(c, Side, Side, {140, 240, 255});
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const float dx = x - 31.5f, dy = y - 31.5f;
            const int d = int(std::sqrt(dx * dx + dy * dy));
            SetPixel(c, x, y, Mix(Rgb{255, 255, 235}, Rgb{90, 225, 255}, std::min(100, d * 100 / 44)));
        }
    FrameRect(c, 0, 0, Side - 1, Side - 1, {255, 200, 0});
    FrameRect(c, 1, 1, Side - 2, Side - 2, {255, 236, 90});
    FrameRect(c, 2, 2, Side - 3, Side - 3, {255, 200, 0});
    // Rays behind the gem.
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * 0.785398f;
        DrawLine(c, 32, 32, 32 + 27 * std::cos(a), 32 + 27 * std::sin(a), 2.0f, {255, 250, 170});
    }
    // Gem: an octagon cut into a light table and darker lower facets.
    const std::vector<float> gem = {22, 18, 42, 18, 50, 28, 32, 52, 14, 28};
    FillPolygon(c, gem, {240, 176, 0});
    FillPolygon(c, {22, 18, 42, 18, 38, 28, 26, 28}, {255, 250, 150});
    FillPolygon(c, {14, 28, 26, 28, 32, 52}, {255, 214, 40});
    FillPolygon(c, {38, 28, 50, 28, 32, 52}, {220, 140, 0});
    FillPolygon(c, {26, 28, 38, 28, 32, 52}, {255, 232, 90});
    FillPolygon(c, {14, 28, 22, 18, 26, 28}, {255, 240, 120});
    FillPolygon(c, {42, 18, 50, 28, 38, 28}, {250, 196, 30});
    Glow(c, 28, 22, 7, {255, 255, 255}, 230);
}

// The blade texture: the inventory picture at twice the size on dark steel.
void PaintBladeTexture(Canvas& c) {
    Canvas icon;
    PaintItem("item_whale_blade", icon);
    const Rgb iconBackground = GetPixel(icon, 0, 0);
    NewCanvas(c, Side, Side, {0, 0, 0});
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const Rgb p = GetPixel(icon, x / 2, y / 2);
            const bool back = p.r == iconBackground.r && p.g == iconBackground.g && p.b == iconBackground.b;
            SetPixel(c, x, y, back ? Shade(Rgb{52, 58, 70}, 70 + FractalNoise(x, y, 16, Side, 81) / 5) : p);
        }
}

}  // namespace

bool PaintCube(const std::string& name, Canvas& c) {
    if (name == "brickold2") {
        PaintBricks(c, {16, 8, {150, 74, 52}, {150, 140, 120}, 14, 35, 11});
    } else if (name == "brickold3") {
        PaintBricks(c, {32, 16, {112, 118, 126}, {70, 68, 64}, 10, 45, 12});
        Crack(c, 9, 2, 11, 13);
        Crack(c, 44, 19, 9, 14);
        Crack(c, 22, 50, 10, 15);
    } else if (name == "grass3") {
        PaintGrass(c);
    } else if (name == "dirt1") {
        PaintDirt(c);
    } else if (name == "DSC3") {
        PaintStonePhoto(c);
    } else if (name == "item_gold") {
        PaintGold(c);
    } else if (name == "SAGAPX") {
        PaintObjective(c);
    } else if (name == "item_whale_blade") {
        PaintBladeTexture(c);
    } else {
        return false;
    }
    return true;
}
