// The creatures that are not people, skeletons or beasts: soft bodies,
// crawlers, serpents, eyes, dragons and the four elementals in three ranks.
// Drawn on the unit backdrop; art_units.cpp outlines them.
#include <cmath>
#include <cstdlib>

#include "tools/art.h"

namespace {

constexpr Rgb Ink = {10, 8, 12};
constexpr Rgb Bone = {226, 220, 196};
constexpr Rgb Gold = {236, 190, 50};

// Slime, gel and fungus: soft bodies.
void PaintSlime(Canvas& c) {
    FillBall(c, 16, 22, 12, 8.5f, {70, 200, 60});
    FillEllipse(c, 11, 18, 2.5f, 1.5f, {200, 255, 190});
    FillEllipse(c, 13, 21, 1.5f, 2.0f, Ink);
    FillEllipse(c, 19, 21, 1.5f, 2.0f, Ink);
    FillEllipse(c, 16, 26, 3.0f, 1.0f, {30, 90, 30});
    for (int i = 0; i < 3; ++i) FillEllipse(c, 6 + i * 9.0f, 29.5f, 2.5f, 1.0f, {60, 170, 50});   // puddle drips
}

void PaintGelatinousCube(Canvas& c) {
    // Seen from a corner: three faces of a translucent block, a skull inside.
    FillEllipse(c, 15, 19, 3.2f, 3.0f, Bone);
    SetPixel(c, 14, 19, Ink);
    SetPixel(c, 16, 19, Ink);
    const Rgb gel = {80, 220, 210};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int alpha = 0;
            Rgb face = gel;
            if (x >= 5 && x <= 20 && y >= 11 && y <= 29) alpha = 150;                                   // front
            else if (x > 20 && x <= 27 && y >= 11 - (x - 20) && y <= 29 - (x - 20)) face = Shade(gel, 70), alpha = 170;   // side
            if (y < 11 && y >= 4 && x >= 5 + (11 - y) && x <= 20 + (11 - y)) face = Mix(gel, {255, 255, 255}, 40), alpha = 170;   // top
            if (alpha) BlendPixel(c, x, y, face, alpha);
        }
    DrawLine(c, 5, 11, 20, 11, 1, {200, 255, 250});
    DrawLine(c, 20, 11, 27, 4, 1, {200, 255, 250});
    DrawLine(c, 20, 11, 20, 29, 1, {200, 255, 250});
}

void PaintFungus(Canvas& c) {
    FillPolygon(c, {13, 16, 19, 16, 20, 30, 12, 30}, {230, 220, 190});
    FillBall(c, 16, 15, 12, 7.5f, {200, 40, 50});
    FillRect(c, 4, 15, 28, 17, {150, 30, 40});
    for (int i = 0; i < 5; ++i) FillEllipse(c, 8 + i * 4.0f, 11 + (i % 2) * 2.5f, 1.5f, 1.2f, {250, 240, 230});
    FillRect(c, 14, 21, 15, 22, Ink);
    FillRect(c, 17, 21, 18, 22, Ink);
}

// Crawlers seen from above: beetles and the rust monster.
void PaintBeetle(Canvas& c, Rgb shell, bool feelers) {
    for (int i = 0; i < 3; ++i) {
        const float y = 13 + i * 5.0f;
        DrawLine(c, 16, y, 5, y + (i - 1) * 3 - 2, 1.4f, Shade(shell, 50));
        DrawLine(c, 16, y, 27, y + (i - 1) * 3 - 2, 1.4f, Shade(shell, 50));
    }
    FillBall(c, 16, 19, 8.5f, 10, shell);
    DrawLine(c, 16, 11, 16, 29, 1, Shade(shell, 40));
    FillBall(c, 16, 8, 4.5f, 3.5f, Shade(shell, 60));
    FillEllipse(c, 14, 7, 0.9f, 0.9f, {255, 230, 100});
    FillEllipse(c, 18, 7, 0.9f, 0.9f, {255, 230, 100});
    if (feelers) {   // long feathery antennae
        for (int side = -1; side <= 1; side += 2)
            for (int i = 0; i < 8; ++i) {
                const float x = 16 + side * (2 + i * 1.4f), y = 5 - i * 0.6f;
                SetPixel(c, int(x), int(y), {200, 110, 60});
                SetPixel(c, int(x), int(y) - 1, {240, 150, 80});
            }
        DrawLine(c, 16, 28, 16, 31, 2, shell);   // tail
    } else {
        DrawLine(c, 14, 5, 11, 1, 1, Shade(shell, 50));
        DrawLine(c, 18, 5, 21, 1, 1, Shade(shell, 50));
    }
}

void PaintSpider(Canvas& c) {
    const Rgb hair = {122, 92, 70};
    for (int i = 0; i < 4; ++i) {   // four legs a side, knees high, feet wide
        const float y = 14 + i * 2.2f;
        for (int side = -1; side <= 1; side += 2) {
            const float kneeX = 16 + side * (7 + i * 0.8f), kneeY = 6 + i * 4.0f;
            const float footX = 16 + side * (13.5f - std::abs(i - 1.5f)), footY = 15 + i * 5.0f;
            DrawLine(c, 16, y, kneeX, kneeY, 1.8f, hair);
            DrawLine(c, kneeX, kneeY, footX, footY, 1.5f, Shade(hair, 80));
        }
    }
    FillBall(c, 16, 22, 7, 7.5f, hair);
    FillEllipse(c, 16, 22, 2, 3.5f, {220, 50, 30});   // the red mark
    FillBall(c, 16, 13, 4.5f, 4, Shade(hair, 110));
    for (int i = 0; i < 4; ++i) SetPixel(c, 14 + i, 12 + (i == 0 || i == 3), {255, 40, 40});
    DrawLine(c, 14.5f, 16, 14, 18, 1, {240, 230, 210});   // fangs
    DrawLine(c, 17.5f, 16, 18, 18, 1, {240, 230, 210});
}

void PaintSerpent(Canvas& c, Rgb skin, Rgb belly) {
    for (int i = 0; i <= 40; ++i) {   // an S-shaped body, tail first, thickening to the head
        const float t = float(i) / 40;
        const float x = 26 - t * 17 + std::sin(t * 6.0f) * 3, y = 29 - t * 17 + std::sin(t * 9.4f) * 3.5f;
        FillBall(c, x, y, 1.2f + t * 2.4f, 1.2f + t * 2.4f, i % 6 < 3 ? skin : Shade(skin, 80));
    }
    FillBall(c, 10, 9, 4.6f, 3.6f, skin);
    FillEllipse(c, 10, 11, 3.0f, 1.0f, belly);
    FillEllipse(c, 9, 8, 1.0f, 1.0f, {255, 230, 40});
    DrawLine(c, 5.5f, 10, 3, 11, 1, {230, 30, 40});   // tongue
}

void PaintWorm(Canvas& c) {
    for (int i = 0; i <= 24; ++i) {   // rising out of the ground in an arc
        const float t = float(i) / 24;
        const float x = 24 - t * 12, y = 30 - std::sin(t * 2.6f) * 20;
        FillBall(c, x, y, 4.5f, 4.5f, i % 3 ? Rgb{200, 120, 110} : Rgb{170, 96, 90});
    }
    FillEllipse(c, 10.5f, 14, 2.6f, 2.0f, {90, 20, 30});   // mouth
    FillRect(c, 0, 30, 31, 31, {90, 70, 50});
}

void PaintEye(Canvas& c, Rgb iris, bool hat) {
    for (int i = 0; i < 5; ++i)   // dangling tendrils
        DrawLine(c, 10 + i * 3.0f, 22, 9 + i * 3.5f + (i % 2) * 2, 30, 1.2f, {150, 90, 110});
    FillBall(c, 16, 16, 10, 10, {240, 236, 226});
    DrawLine(c, 8, 13, 11, 15, 1, {220, 60, 60});
    DrawLine(c, 24, 19, 21, 17, 1, {220, 60, 60});
    FillBall(c, 16, 17, 5, 5, iris);
    FillEllipse(c, 16, 17, 2.2f, 2.2f, Ink);
    FillEllipse(c, 14.5f, 15.5f, 1.0f, 1.0f, {255, 255, 255});
    if (hat) {
        FillPolygon(c, {7, 8, 25, 8, 18, -2}, {110, 40, 170});
        FillRect(c, 6, 7, 26, 8, {80, 30, 130});
        FillEllipse(c, 17, 3, 1, 1, Gold);
    }
}

void PaintMantis(Canvas& c) {
    const Rgb green = {110, 200, 70};
    DrawLine(c, 17, 16, 24, 29, 3, Shade(green, 80));   // abdomen
    FillBall(c, 23, 25, 3.5f, 5, green);
    for (int i = 0; i < 2; ++i) {
        DrawLine(c, 17, 18 + i * 3.0f, 12 + i * 6.0f, 30, 1.2f, Shade(green, 70));
        DrawLine(c, 18, 18 + i * 3.0f, 24 + i * 3.0f, 30, 1.2f, Shade(green, 70));
    }
    DrawLine(c, 15, 8, 17, 18, 2.5f, green);            // thorax, upright
    DrawLine(c, 15, 11, 9, 15, 1.6f, green);            // the folded raptor arms
    DrawLine(c, 9, 15, 11, 7, 1.4f, green);
    DrawLine(c, 16, 12, 11, 17, 1.6f, green);
    FillPolygon(c, {11, 5, 19, 5, 15, 10}, green);      // triangular head
    FillEllipse(c, 11.5f, 5.5f, 1.3f, 1.3f, {60, 40, 30});
    FillEllipse(c, 18.5f, 5.5f, 1.3f, 1.3f, {60, 40, 30});
    DrawLine(c, 13, 4, 9, 0, 1, green);
    DrawLine(c, 17, 4, 21, 0, 1, green);
}

void PaintLich(Canvas& c) {
    Glow(c, 16, 14, 16, {120, 255, 140}, 70);
    FillPolygon(c, {11, 11, 21, 11, 24, 30, 8, 30}, {70, 30, 100});   // robe
    FillPolygon(c, {11, 11, 21, 11, 16, 20}, {110, 60, 150});
    DrawLine(c, 11.5f, 12, 8, 20, 2.4f, {70, 30, 100});
    DrawLine(c, 20.5f, 12, 24, 19, 2.4f, {70, 30, 100});
    DrawLine(c, 8, 20, 7, 21, 1.2f, Bone);   // bony fingers
    DrawLine(c, 25, 30, 25, 3, 1.6f, {60, 50, 50});
    FillBall(c, 25, 3.5f, 2.4f, 2.4f, {120, 255, 140});
    FillBall(c, 16, 7.5f, 4.2f, 4.2f, Bone);
    FillRect(c, 14, 7, 15, 8, {120, 255, 140});
    FillRect(c, 17, 7, 18, 8, {120, 255, 140});
    FillPolygon(c, {11.5f, 5, 11.5f, 1, 13.5f, 3, 16, 0, 18.5f, 3, 20.5f, 1, 20.5f, 5}, Gold);
}

// Dragons: a winged red one, the three-headed hydra and the crested basilisk.
void PaintDragon(Canvas& c, Rgb scales, int heads, bool wings) {
    if (wings) {
        FillPolygon(c, {16, 14, 22, 2, 30, 6, 27, 10, 25, 16}, Shade(scales, 70));
        FillPolygon(c, {14, 15, 9, 3, 3, 8, 8, 12, 8, 17}, Shade(scales, 55));
        DrawLine(c, 16, 14, 22, 2, 1, Shade(scales, 45));
    }
    DrawLine(c, 22, 24, 30, 29, 2.6f, scales);                       // tail
    FillBall(c, 18, 21, 8, 6, scales);                                // body
    FillEllipse(c, 18, 24.5f, 5, 2, Mix(scales, {250, 220, 120}, 60));   // belly
    DrawLine(c, 13, 25, 12, 30, 2.4f, Shade(scales, 80));
    DrawLine(c, 21, 25, 22, 30, 2.4f, Shade(scales, 80));
    for (int h = 0; h < heads; ++h) {
        const float spread = heads == 1 ? 0 : (h - (heads - 1) / 2.0f) * 6;
        const float hx = 8 + spread * 0.6f, hy = 8 + std::abs(spread) * 0.5f;
        DrawLine(c, 14, 18, hx + 2, hy + 2, 3.4f, scales);           // neck
        FillBall(c, hx, hy, 3.6f, 2.8f, scales);
        FillEllipse(c, hx - 3.2f, hy + 0.8f, 2.0f, 1.2f, scales);    // jaw
        FillEllipse(c, hx - 0.5f, hy - 0.8f, 0.9f, 0.9f, {255, 230, 40});
        DrawLine(c, hx + 1, hy - 2, hx + 3, hy - 5, 1.2f, {230, 220, 190});   // horn
    }
    if (!wings && heads == 1)   // the basilisk's crest
        for (int i = 0; i < 5; ++i)
            FillPolygon(c, {12 + i * 3.0f, 16, 13.5f + i * 3.0f, 11.5f + (i % 2), 15 + i * 3.0f, 16}, {220, 60, 40});
}

// Elementals: the element's own shape, larger and fiercer at each rank.
void PaintFire(Canvas& c, int rank) {
    const float s = 0.55f + rank * 0.17f;
    Glow(c, 16, 20, 10 + rank * 4.0f, {255, 120, 20}, 80 + rank * 40);
    auto flame = [&](float grow, Rgb colour) {
        const float k = s * grow;
        FillPolygon(c, {16 - 9 * k, 30, 16 - 10 * k, 22 - 2 * k, 16 - 7 * k, 30 - 17 * k, 16 - 3 * k, 30 - 13 * k,
                        16, 30 - 26 * k, 16 + 4 * k, 30 - 15 * k, 16 + 8 * k, 30 - 20 * k, 16 + 10 * k, 22 - 2 * k,
                        16 + 9 * k, 30},
                    colour);
    };
    flame(1.0f, {220, 50, 20});
    flame(0.72f, {255, 140, 20});
    flame(0.45f, {255, 230, 90});
    FillEllipse(c, 14, 30 - 10 * s, 1.2f, 1.6f, Ink);
    FillEllipse(c, 18, 30 - 10 * s, 1.2f, 1.6f, Ink);
}

void PaintWater(Canvas& c, int rank) {
    const float s = 0.55f + rank * 0.17f;
    FillPolygon(c, {16, 30 - 28 * s, 16 + 6 * s, 30 - 16 * s, 16 - 6 * s, 30 - 16 * s}, {40, 110, 220});   // droplet tip
    FillBall(c, 16, 30 - 10 * s, 10 * s, 10 * s, {40, 110, 220});
    for (int i = 0; i < rank; ++i) DrawLine(c, 16 - 7 * s, 30 - (6 + 4 * i) * s, 16 + 6 * s, 30 - (7 + 4 * i) * s, 1, {140, 200, 255});
    FillEllipse(c, 12, 30 - 14 * s, 1.5f * s + 0.5f, 2.5f * s, {220, 240, 255});
    FillEllipse(c, 14, 30 - 11 * s, 1.2f, 1.5f, {10, 30, 80});
    FillEllipse(c, 19, 30 - 11 * s, 1.2f, 1.5f, {10, 30, 80});
}

void PaintEarth(Canvas& c, int rank) {
    const float s = 0.55f + rank * 0.17f;
    const Rgb rock = {130, 96, 60};
    FillBall(c, 16, 30 - 12 * s, 8 * s, 9 * s, rock);                  // body
    FillBall(c, 16, 30 - 24 * s, 5 * s, 4 * s, Shade(rock, 110));      // head
    FillBall(c, 16 - 10 * s, 30 - 14 * s, 3.5f * s, 5 * s, Shade(rock, 90));   // fists
    FillBall(c, 16 + 10 * s, 30 - 14 * s, 3.5f * s, 5 * s, Shade(rock, 90));
    for (int i = 0; i < 2 + rank * 2; ++i) {   // embedded stones and cracks
        const uint32_t h = Hash(uint32_t(i), uint32_t(rank), 5);
        FillEllipse(c, 16 + float(int(h % 9) - 4) * s * 1.4f, 30 - (8 + float((h >> 8) % 9)) * s, 1.2f, 1.0f, {90, 84, 80});
    }
    FillEllipse(c, 14.5f, 30 - 24 * s, 1, 0.8f, {255, 180, 40});
    FillEllipse(c, 17.5f, 30 - 24 * s, 1, 0.8f, {255, 180, 40});
}

void PaintAir(Canvas& c, int rank) {
    const float s = 0.55f + rank * 0.17f;
    // A whirlwind: a pale funnel, narrow at the ground, crossed by gusts.
    const float top = 30 - 26 * s;
    for (int y = int(top); y <= 30; ++y) {
        const float t = (30 - y) / (30 - top);
        const float half = (1.5f + 9.5f * t * t) * s + 1;
        const float sway = std::sin(t * 4.0f) * 2 * s;
        for (int x = int(16 + sway - half); x <= int(16 + sway + half); ++x) BlendPixel(c, x, y, {214, 232, 244}, 200);
    }
    for (int g = 0; g < 3 + rank; ++g) {
        const float t = (g + 0.5f) / float(3 + rank);
        const float y = 30 - t * (30 - top), half = (1.5f + 9.5f * t * t) * s + 2;
        const float sway = std::sin(t * 4.0f) * 2 * s;
        DrawLine(c, 16 + sway - half, y + 1, 16 + sway + half, y - 1, 1, {255, 255, 255});
    }
    Glow(c, 16, 18, 14 * s + 4, {220, 240, 255}, 60);
    FillEllipse(c, 14, top + 5 * s, 1, 1.3f, {60, 110, 160});
    FillEllipse(c, 18, top + 5 * s, 1, 1.3f, {60, 110, 160});
}

// The rank of an elemental is how often its element repeats in the name.
int Rank(const std::string& name, const std::string& element) {
    int rank = 0;
    for (size_t pos = name.find(element); pos != std::string::npos; pos = name.find(element, pos + 1)) ++rank;
    return rank;
}

}  // namespace

bool PaintMonster(const std::string& name, Canvas& c) {
    if (name == "unit_green_slime") PaintSlime(c);
    else if (name == "unit_gelatinous_cube") PaintGelatinousCube(c);
    else if (name == "unit_fungus") PaintFungus(c);
    else if (name == "unit_beatle") PaintBeetle(c, {60, 70, 110}, false);
    else if (name == "unit_beatle_fire") PaintBeetle(c, {210, 60, 30}, false);
    else if (name == "unit_rust_monster") PaintBeetle(c, {180, 90, 40}, true);
    else if (name == "unit_giant_spider") PaintSpider(c);
    else if (name == "unit_serpent") PaintSerpent(c, {70, 150, 60}, {200, 210, 120});
    else if (name == "unit_serpent_fire") PaintSerpent(c, {220, 70, 30}, {255, 200, 60});
    else if (name == "unit_giant_worm") PaintWorm(c);
    else if (name == "unit_floating_eye") PaintEye(c, {60, 120, 220}, false);
    else if (name == "unit_mage_eye") PaintEye(c, {150, 60, 200}, true);
    else if (name == "unit_mantis") PaintMantis(c);
    else if (name == "unit_lich") PaintLich(c);
    else if (name == "unit_dragon") PaintDragon(c, {200, 40, 30}, 1, true);
    else if (name == "unit_dragon_hydra") PaintDragon(c, {60, 140, 70}, 3, false);
    else if (name == "unit_dragon_basilic") PaintDragon(c, {170, 170, 70}, 1, false);
    else if (Rank(name, "fire") > 0 && name.rfind("unit_fire", 0) == 0) PaintFire(c, Rank(name, "fire"));
    else if (name.rfind("unit_water", 0) == 0) PaintWater(c, Rank(name, "water"));
    else if (name.rfind("unit_earth", 0) == 0) PaintEarth(c, Rank(name, "earth"));
    else if (name.rfind("unit_air", 0) == 0) PaintAir(c, Rank(name, "air"));
    else return false;
    return true;
}

