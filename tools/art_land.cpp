// Overworld map tiles and structure pictures, 32 x 32. Land tiles are seen
// from above (grass, water, sand, with trees, peaks and houses standing on
// them); structures are buildings seen from the front on a patch of grass.
#include <cmath>

#include "tools/art.h"

namespace {

constexpr Rgb Ink = {16, 14, 18};
constexpr Rgb Wood = {120, 76, 40};
constexpr Rgb Stone = {150, 146, 140};
constexpr Rgb Roof = {150, 60, 40};

// A ground fill: base colour with soft noise and a sprinkle of darker specks.
void Ground(Canvas& c, Rgb base, uint32_t seed, int speckle) {
    NewCanvas(c, 32, 32, base);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            Rgb p = Shade(base, 84 + FractalNoise(x, y, 16, 32, seed) / 8);
            if (int(Hash(uint32_t(x), uint32_t(y), seed + 1) % 100) < speckle) p = Shade(p, 78);
            SetPixel(c, x, y, p);
        }
}

void Grass(Canvas& c) { Ground(c, {86, 150, 60}, 91, 10); }

void Tree(Canvas& c, float x, float y, float r, Rgb leaves, bool fruit) {
    FillEllipse(c, x + 1.5f, y + r * 0.8f, r, r * 0.45f, {40, 70, 30});   // shadow
    FillRect(c, int(x) - 1, int(y), int(x), int(y + r), {90, 60, 30});
    FillBall(c, x, y, r, r, leaves);
    if (fruit)
        for (int i = 0; i < 3; ++i) FillEllipse(c, x - r * 0.5f + i * r * 0.5f, y - r * 0.2f + (i % 2) * r * 0.5f, 0.9f, 0.9f, {230, 40, 40});
}

void Pine(Canvas& c, float x, float y, float h, Rgb needles) {
    FillRect(c, int(x) - 1, int(y), int(x), int(y + 2), {90, 60, 30});
    FillPolygon(c, {x - h * 0.45f, y, x, y - h, x + h * 0.45f, y}, needles);
    FillPolygon(c, {x, y - h, x + h * 0.45f, y, x, y}, Shade(needles, 75));
}

// Trees scattered over grass at fixed, hashed spots, far rows first.
void Forest(Canvas& c, Rgb leaves, bool fruit, bool pines, int count, uint32_t seed) {
    Grass(c);
    for (int i = 0; i < count; ++i) {
        const uint32_t h = Hash(uint32_t(i), 0, seed);
        const float x = 5 + float(h % 22), y = 5 + float(i) * 24 / float(count) + float((h >> 8) % 4);
        if (pines) Pine(c, x, y + 4, 10, leaves);
        else Tree(c, x, y, 4.5f, Shade(leaves, 85 + int((h >> 16) % 30)), fruit);
    }
}

void Water(Canvas& c, Rgb deep, Rgb crest) {
    Ground(c, deep, 92, 0);
    for (int i = 0; i < 7; ++i) {   // wavelets
        const uint32_t h = Hash(uint32_t(i), 1, 93);
        const float x = float(h % 24) + 2, y = float(i) * 4.5f + 2;
        DrawLine(c, x, y + 1, x + 2, y, 1, crest);
        DrawLine(c, x + 2, y, x + 4, y + 1, 1, crest);
    }
}

void Mountain(Canvas& c, bool snow) {
    Ground(c, {110, 140, 80}, 94, 6);
    FillPolygon(c, {1, 30, 16, snow ? 1.0f : 5.0f, 31, 30}, {130, 124, 118});
    FillPolygon(c, {16, snow ? 1.0f : 5.0f, 31, 30, 18, 30}, {96, 90, 86});   // the shadowed flank
    if (snow) FillPolygon(c, {9.5f, 12, 16, 1, 22.5f, 12, 19, 10, 16, 13, 13, 10}, {245, 248, 255});
    else FillPolygon(c, {12, 12, 16, 5, 20, 12, 16, 10}, {190, 186, 180});
    if (!snow) FillPolygon(c, {18, 30, 24, 18, 31, 30}, {112, 106, 100});   // a foothill
}

void House(Canvas& c, float x, float y, Rgb roof) {
    FillRect(c, int(x), int(y), int(x) + 8, int(y) + 6, {220, 200, 160});
    FillPolygon(c, {x - 1.5f, y + 0.5f, x + 4.5f, y - 5, x + 10.5f, y + 0.5f}, roof);
    FillRect(c, int(x) + 3, int(y) + 3, int(x) + 5, int(y) + 6, {90, 56, 30});
}

void Village(Canvas& c, Rgb roof) {
    Grass(c);
    DrawLine(c, 0, 22, 31, 18, 3, {170, 140, 90});   // the street
    House(c, 3, 8, roof);
    House(c, 18, 6, roof);
    House(c, 11, 22, roof);
}

void CaveMouth(Canvas& c, bool timber, bool ore) {
    Ground(c, {120, 112, 104}, 95, 12);
    FillPolygon(c, {0, 31, 4, 10, 12, 3, 22, 4, 29, 11, 31, 31}, {104, 98, 92});   // the hillside
    FillPolygon(c, {9, 31, 9, 18, 16, 12, 23, 18, 23, 31}, {14, 10, 12});          // the opening
    if (timber) {
        FillRect(c, 8, 16, 10, 31, Wood);
        FillRect(c, 22, 16, 24, 31, Wood);
        FillRect(c, 7, 14, 25, 16, Wood);
        DrawLine(c, 10, 31, 15, 22, 1, {150, 150, 160});   // rails into the dark
        DrawLine(c, 22, 31, 17, 22, 1, {150, 150, 160});
    }
    if (ore)
        for (int i = 0; i < 6; ++i) {
            const uint32_t h = Hash(uint32_t(i), 2, 96);
            FillEllipse(c, float(h % 30) + 1, float((h >> 8) % 12) + 2, 1.2f, 1.0f, {190, 110, 80});
        }
}

// The front-view backdrop for structures: sky over a strip of grass.
void Scene(Canvas& c) {
    NewCanvas(c, 32, 32, {150, 200, 240});
    FillRect(c, 0, 24, 31, 31, {90, 150, 60});
    for (int x = 0; x < 32; x += 3) SetPixel(c, x, 25 + x % 2, {70, 120, 46});
}

void Tower(Canvas& c, float x, float w, float top, Rgb stone) {
    FillRect(c, int(x), int(top), int(x + w), 26, stone);
    for (int i = 0; i < int(w); i += 2) FillRect(c, int(x) + i, int(top) - 2, int(x) + i, int(top) - 1, stone);   // battlements
    FillRect(c, int(x + w / 2) - 1, int(top) + 4, int(x + w / 2), int(top) + 6, Ink);   // arrow slit
}

void Stag(Canvas& c) {
    Forest(c, {50, 110, 50}, false, true, 5, 97);
    const Rgb fur = {150, 96, 50};
    FillBall(c, 15, 21, 8, 4.5f, fur);                          // body
    for (int i = 0; i < 4; ++i) DrawLine(c, 10.0f + i * 3.5f, 23, 10.0f + i * 3.5f, 30, 1.6f, Shade(fur, 80));
    DrawLine(c, 9, 19, 7, 12, 3, fur);                          // neck
    FillBall(c, 6, 11, 2.8f, 2.2f, fur);                        // head
    FillEllipse(c, 3.5f, 12, 1.6f, 1.2f, fur);
    for (int side = 0; side < 2; ++side) {                      // antlers
        const float x = 5.0f + side * 3;
        DrawLine(c, x, 9, x - 2 + side * 4, 2, 1, {230, 220, 190});
        DrawLine(c, x - 1 + side * 2, 5.5f, x - 4 + side * 8, 4, 1, {230, 220, 190});
    }
    SetPixel(c, 5, 10, Ink);
    FillEllipse(c, 23, 19, 1.3f, 1.0f, {240, 240, 230});        // white tail
}

}  // namespace

bool PaintLand(const std::string& name, Canvas& c) {
    if (name == "plain") {
        Grass(c);
        for (int i = 0; i < 9; ++i) {   // tufts and a few flowers
            const uint32_t h = Hash(uint32_t(i), 3, 98);
            const int x = int(h % 30) + 1, y = int((h >> 8) % 30) + 1;
            SetPixel(c, x, y, {60, 110, 40});
            SetPixel(c, x + 1, y - 1, {60, 110, 40});
            if (i % 3 == 0) SetPixel(c, x + 2, y + 2, {250, 240, 120});
        }
    } else if (name == "forest") Forest(c, {40, 120, 50}, false, false, 7, 101);
    else if (name == "forest_fruit") Forest(c, {50, 130, 50}, true, false, 6, 102);
    else if (name == "forest_gray") Forest(c, {120, 130, 120}, false, false, 7, 103);
    else if (name == "forest_leaf") Forest(c, {110, 170, 60}, false, false, 6, 104);
    else if (name == "forest_b") Forest(c, {30, 90, 40}, false, false, 9, 105);
    else if (name == "forest_c") Forest(c, {30, 100, 60}, false, true, 6, 106);
    else if (name == "water") Water(c, {50, 110, 200}, {160, 210, 250});
    else if (name == "water_deep") Water(c, {20, 46, 120}, {70, 120, 200});
    else if (name == "swamp_a") {
        Ground(c, {80, 100, 50}, 107, 10);
        for (int i = 0; i < 4; ++i) {
            const uint32_t h = Hash(uint32_t(i), 4, 108);
            FillEllipse(c, float(h % 24) + 4, float((h >> 8) % 24) + 4, 5, 3, {60, 76, 60});
        }
        for (int i = 0; i < 8; ++i) {   // reeds
            const uint32_t h = Hash(uint32_t(i), 5, 109);
            const float x = float(h % 30) + 1, y = float((h >> 8) % 26) + 5;
            DrawLine(c, x, y, x, y - 4, 1, {120, 140, 60});
            SetPixel(c, int(x), int(y) - 5, {100, 70, 40});
        }
    } else if (name == "desert_a") {
        Ground(c, {226, 198, 130}, 110, 4);
        for (int i = 0; i < 4; ++i)   // dune ridges
            for (int x = 0; x < 32; ++x) SetPixel(c, x, 5 + i * 8 + int(2 * std::sin(x * 0.3f + i)), {196, 164, 100});
    } else if (name == "hills_a") {
        Grass(c);
        const float hills[][3] = {{9, 12, 7}, {22, 20, 8}, {8, 26, 5}};
        for (const auto& h : hills) {
            FillBall(c, h[0], h[1], h[2], h[2] * 0.7f, {110, 160, 70});
            FillEllipse(c, h[0] + 1, h[1] + h[2] * 0.55f, h[2], 1.2f, {60, 100, 40});
        }
    } else if (name == "mountain" || name == "mountain_high_a") Mountain(c, name == "mountain_high_a");
    else if (name == "road_b") {
        Grass(c);
        FillPolygon(c, {0, 12, 31, 17, 31, 23, 0, 18}, {170, 140, 90});
        for (int x = 2; x < 32; x += 6) SetPixel(c, x, 15 + x / 6, {140, 110, 70});   // ruts
    } else if (name == "village_b") Village(c, Roof);
    else if (name == "village_b_yellow") Village(c, {230, 190, 40});
    else if (name == "village_b_blue") Village(c, {50, 80, 200});
    else if (name == "village_b_green") Village(c, {50, 150, 60});
    else if (name == "village_b_red") Village(c, {210, 40, 40});
    else if (name == "ruin_a") {
        Grass(c);
        const int walls[][4] = {{4, 6, 14, 8}, {4, 6, 6, 20}, {20, 10, 27, 12}, {25, 10, 27, 26}, {10, 24, 18, 26}};
        for (const auto& w : walls) FillRect(c, w[0], w[1], w[2], w[3], Stone);
        for (const auto& w : walls) FillRect(c, w[0], w[3], w[2], w[3], Shade(Stone, 60));
        FillEllipse(c, 14, 16, 2, 1.4f, Shade(Stone, 80));   // fallen blocks
        FillEllipse(c, 18, 19, 1.4f, 1.0f, Shade(Stone, 80));
    } else if (name == "castle_a") {
        Grass(c);
        FillRect(c, 6, 10, 25, 27, Stone);
        FillRect(c, 13, 19, 18, 27, {40, 30, 26});
        for (int i = 0; i < 4; ++i) {
            const float x = i % 2 ? 25 : 6, y = i / 2 ? 26 : 10;
            FillBall(c, x, y, 4, 4, Shade(Stone, 110));
            FillPolygon(c, {x - 4, y - 2, x, y - 8, x + 4, y - 2}, {60, 70, 160});
        }
    } else if (name == "grottus") CaveMouth(c, false, false);
    else if (name == "mine") CaveMouth(c, true, false);
    else if (name == "iron_mine") CaveMouth(c, true, true);
    else if (name == "well") {
        Grass(c);
        FillEllipse(c, 16, 22, 9, 5, Stone);
        FillEllipse(c, 16, 21, 6, 3, {20, 30, 60});
        FillRect(c, 7, 6, 8, 21, Wood);
        FillRect(c, 24, 6, 25, 21, Wood);
        FillPolygon(c, {4, 8, 16, 1, 28, 8}, Roof);
        DrawLine(c, 16, 8, 16, 19, 1, {200, 190, 160});   // rope
        FillRect(c, 14, 17, 18, 19, Wood);                 // bucket
    } else {
        return false;
    }
    return true;
}

bool PaintStructure(const std::string& name, Canvas& c) {
    if (name == "hart") {
        Stag(c);
        return true;
    }
    Scene(c);
    if (name == "structure_farm") {
        for (int i = 0; i < 4; ++i) DrawLine(c, 0, 26.5f + i * 1.6f, 31, 26.5f + i * 1.6f, 0.8f, {200, 170, 60});   // wheat rows
        FillRect(c, 4, 12, 20, 25, {180, 50, 40});                     // barn
        FillPolygon(c, {2, 13, 12, 4, 22, 13}, {120, 40, 34});
        FillRect(c, 9, 17, 15, 25, {240, 230, 210});
        DrawLine(c, 9, 17, 15, 25, 1, {180, 50, 40});
        FillRect(c, 24, 8, 28, 25, {200, 200, 200});                   // silo
        FillBall(c, 26, 8, 2.8f, 2.6f, {160, 160, 170});
    } else if (name == "structure_merchant") {
        FillRect(c, 5, 16, 26, 25, Wood);                              // counter
        FillRect(c, 6, 8, 7, 16, Wood);
        FillRect(c, 24, 8, 25, 16, Wood);
        for (int i = 0; i < 6; ++i) FillRect(c, 3 + i * 4, 5, 6 + i * 4, 9, i % 2 ? Rgb{240, 240, 240} : Rgb{210, 40, 40});   // awning
        FillBall(c, 11, 15, 2, 2, {220, 60, 50});                      // wares
        FillBall(c, 16, 15, 2, 2, {240, 190, 50});
        FillBall(c, 21, 15, 2, 2, {90, 170, 60});
    } else if (name == "structure_quary") {
        FillRect(c, 0, 14, 31, 31, {160, 150, 136});
        for (int i = 0; i < 4; ++i) FillRect(c, 3 + i * 3, 16 + i * 4, 28 - i * 3, 19 + i * 4, Shade({160, 150, 136}, 88 - i * 10));   // stepped pit
        FillRect(c, 22, 9, 27, 13, {190, 180, 170});                   // cut blocks
        FillRect(c, 25, 6, 29, 9, {180, 170, 160});
        DrawLine(c, 5, 12, 11, 6, 1.4f, Wood);                          // pick
        DrawLine(c, 8, 5, 13, 9, 1.6f, {160, 160, 170});
    } else if (name == "structure_stable") {
        FillRect(c, 3, 12, 28, 25, {140, 90, 50});
        FillPolygon(c, {1, 13, 16, 5, 30, 13}, {110, 70, 40});
        for (int i = 0; i < 3; ++i) {
            FillRect(c, 5 + i * 8, 16, 10 + i * 8, 25, {60, 40, 24});  // stalls
            FillRect(c, 5 + i * 8, 20, 10 + i * 8, 20, {200, 170, 110});
        }
        FillBall(c, 8, 18, 2, 2.6f, {110, 70, 40});                    // a horse looks out
        FillEllipse(c, 8, 21, 1.2f, 1.2f, {90, 56, 30});
    } else if (name == "structure_tower") {
        Tower(c, 10, 12, 5, Stone);
        FillPolygon(c, {8, 5, 16, -4, 24, 5}, {60, 70, 160});
        FillRect(c, 14, 19, 17, 26, {40, 30, 26});
    } else if (name == "structure_barrack") {
        FillRect(c, 2, 13, 29, 25, {170, 140, 110});
        FillPolygon(c, {0, 14, 6, 8, 25, 8, 31, 14}, {100, 60, 40});
        for (int i = 0; i < 5; ++i) FillRect(c, 4 + i * 5, 16, 6 + i * 5, 18, Ink);   // windows
        FillRect(c, 14, 20, 17, 25, {80, 50, 30});
        DrawLine(c, 27, 8, 27, 1, 1, {80, 80, 80});                   // flag
        FillRect(c, 28, 1, 31, 3, {200, 30, 30});
    } else if (name == "structure_blacksmith") {
        FillRect(c, 2, 10, 16, 25, {120, 110, 100});                  // forge
        FillRect(c, 5, 16, 13, 22, {30, 20, 16});
        FillEllipse(c, 9, 20, 3, 2, {255, 140, 30});
        Glow(c, 9, 20, 8, {255, 120, 20}, 140);
        FillRect(c, 6, 3, 9, 10, {90, 80, 76});                       // chimney
        FillPolygon(c, {18, 16, 30, 16, 28, 19, 20, 19}, {60, 60, 70});   // anvil
        FillRect(c, 22, 19, 26, 25, {60, 60, 70});
        DrawLine(c, 22, 14, 28, 8, 1.4f, Wood);                       // hammer
        FillRect(c, 26, 6, 30, 9, {150, 150, 160});
    } else if (name == "structure_castle") {
        FillRect(c, 4, 12, 27, 26, Stone);
        for (int i = 0; i < 24; i += 3) FillRect(c, 4 + i, 10, 5 + i, 11, Stone);
        Tower(c, 1, 7, 6, Shade(Stone, 90));
        Tower(c, 24, 7, 6, Shade(Stone, 90));
        FillPolygon(c, {12, 26, 12, 19, 16, 16, 20, 19, 20, 26}, {40, 30, 26});   // gate
        DrawLine(c, 16, 10, 16, 2, 1, {80, 80, 80});
        FillRect(c, 17, 2, 21, 4, {60, 80, 200});
    } else if (name == "structure_church") {
        FillRect(c, 4, 14, 22, 25, {226, 220, 206});
        FillPolygon(c, {2, 15, 13, 7, 24, 15}, {90, 90, 110});
        FillRect(c, 20, 6, 27, 25, {226, 220, 206});                   // steeple
        FillPolygon(c, {19, 7, 23.5f, -1, 28, 7}, {90, 90, 110});
        DrawLine(c, 23.5f, 0, 23.5f, 5, 1, {240, 200, 40});            // the cross
        FillRect(c, 11, 19, 14, 25, {100, 60, 34});
        FillEllipse(c, 23.5f, 11, 1.6f, 1.6f, {80, 140, 200});         // rose window
    } else {
        return false;
    }
    Outline(c, {150, 200, 240}, Ink);
    return true;
}
