// Dungeon tiles, 32 x 32: the floors and the wall, and the furnishings drawn
// on their floor or wall. Variants ("_open", "_extinct", "_complete") redraw
// the same object in its other state, so a pair always reads as a pair.
#include <cmath>

#include "tools/art.h"

namespace {

constexpr Rgb Ink = {16, 14, 18};
constexpr Rgb Wood = {120, 76, 40};
constexpr Rgb Iron = {70, 70, 80};
constexpr Rgb Gold = {236, 190, 50};
constexpr Rgb Stone = {128, 124, 118};
constexpr Rgb Bone = {226, 220, 196};

// Four big flagstones with dark joints and worn, uneven faces.
void Flagstones(Canvas& c, uint32_t seed) {
    NewCanvas(c, 32, 32, {0, 0, 0});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t stone = Hash(uint32_t(x / 16), uint32_t(y / 16), seed);
            Rgb p = Shade({96, 92, 88}, 80 + int(stone % 25) + FractalNoise(x, y, 8, 32, seed) / 12);
            if (x % 16 == 0 || y % 16 == 0) p = {46, 42, 40};
            else if (x % 16 == 1 || y % 16 == 1) p = Shade(p, 115);
            SetPixel(c, x, y, p);
        }
}

// Stone blocks in courses, as the wall tile and behind wall fixtures.
void WallStones(Canvas& c) {
    NewCanvas(c, 32, 32, {0, 0, 0});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int row = y / 8, sx = (x + (row % 2) * 8) % 32;
            const uint32_t block = Hash(uint32_t(sx / 16), uint32_t(row), 41);
            Rgb p = Shade({110, 104, 98}, 75 + int(block % 30) + FractalNoise(x, y, 8, 32, 42) / 10);
            if (y % 8 == 7 || sx % 16 == 15) p = {40, 36, 34};
            else if (y % 8 == 0) p = Shade(p, 120);
            SetPixel(c, x, y, p);
        }
}

void Marble(Canvas& c) {
    NewCanvas(c, 32, 32, {0, 0, 0});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool dark = ((x / 16) + (y / 16)) % 2 == 1;
            const int vein = std::abs(ValueNoise(x + y, y * 2 - x, 8, 64, 51) - 128);
            Rgb p = dark ? Rgb{150, 150, 160} : Rgb{232, 230, 224};
            if (vein < 10) p = Shade(p, 78);
            if (x % 16 == 0 || y % 16 == 0) p = {110, 108, 112};
            SetPixel(c, x, y, p);
        }
}

void Flame(Canvas& c, float x, float y, float size) {
    Glow(c, x, y, size * 5, {255, 170, 60}, 120);
    FillPolygon(c, {x - size, y, x, y - size * 3, x + size, y}, {255, 140, 20});
    FillEllipse(c, x, y - size * 0.4f, size, size * 0.8f, {255, 140, 20});
    FillEllipse(c, x, y - size * 0.5f, size * 0.5f, size * 0.6f, {255, 240, 150});
}

void Chest(Canvas& c, bool open) {
    if (open) {
        FillRect(c, 6, 6, 25, 13, Shade(Wood, 80));      // lid thrown back
        FillRect(c, 6, 12, 25, 13, Iron);
        FillRect(c, 6, 14, 25, 27, Wood);
        FillRect(c, 8, 15, 23, 19, {60, 36, 20});       // inside
        for (int i = 0; i < 6; ++i) FillBall(c, 9.5f + i * 2.6f, 16.5f + (i % 2), 1.8f, 1.4f, Gold);
        Glow(c, 16, 16, 9, {255, 230, 120}, 110);
    } else {
        FillRect(c, 6, 10, 25, 27, Wood);
        FillPolygon(c, {6, 10, 8, 7, 23, 7, 25, 10}, Shade(Wood, 120));   // rounded lid
        FillRect(c, 6, 14, 25, 15, Iron);
        FillRect(c, 15, 13, 17, 18, Gold);   // lock
    }
    FillRect(c, 9, 14, 10, 27, Iron);   // bands
    FillRect(c, 21, 14, 22, 27, Iron);
}

void Candelabrum(Canvas& c, bool lit) {
    FillRect(c, 15, 12, 16, 27, Gold);
    FillRect(c, 11, 27, 20, 28, Gold);
    DrawLine(c, 8, 12, 23, 12, 1.6f, Gold);
    DrawLine(c, 8, 12, 8, 9, 1.2f, Gold);
    DrawLine(c, 23, 12, 23, 9, 1.2f, Gold);
    for (int i = 0; i < 3; ++i) {
        const float x = 8.5f + i * 7.5f, top = i == 1 ? 4.0f : 5.0f;
        FillRect(c, int(x) - 1, int(top), int(x), 9, {240, 236, 220});   // candle
        if (lit) Flame(c, x, top, 1.4f);
        else SetPixel(c, int(x), int(top) - 1, Ink);
    }
}

void Coffin(Canvas& c, bool open) {
    const std::vector<float> shape = {16, 2, 24, 8, 21, 30, 11, 30, 8, 8};
    FillPolygon(c, shape, {90, 56, 34});
    if (open) {
        FillPolygon(c, {16, 4, 22, 9, 19.5f, 28, 12.5f, 28, 10, 9}, {30, 22, 20});
        FillEllipse(c, 16, 9, 2.6f, 2.4f, Bone);   // the one who lay inside
        DrawLine(c, 16, 12, 16, 22, 1.4f, Bone);
        DrawLine(c, 13, 15, 19, 15, 1, Bone);
        FillPolygon(c, {24, 6, 31, 11, 29, 31, 22, 31}, Shade({90, 56, 34}, 120));   // lid pushed aside
    } else {
        FillPolygon(c, {16, 4, 22, 9, 19.5f, 28, 12.5f, 28, 10, 9}, {120, 76, 46});
        DrawLine(c, 16, 8, 16, 22, 1.6f, Gold);
        DrawLine(c, 12.5f, 12, 19.5f, 12, 1.6f, Gold);
    }
}

void Bones(Canvas& c, bool cleaned) {
    if (cleaned) {   // swept: a few splinters and a dust patch
        for (int i = 0; i < 5; ++i) BlendPixel(c, 10 + i * 3, 20 + (i % 2), Bone, 140);
        FillEllipse(c, 20, 12, 4, 2, {110, 104, 96});
        return;
    }
    FillBall(c, 12, 11, 4, 3.6f, Bone);
    FillRect(c, 10, 10, 11, 11, Ink);
    FillRect(c, 13, 10, 14, 11, Ink);
    const float bones[][4] = {{16, 18, 27, 22}, {6, 24, 14, 20}, {18, 8, 26, 14}, {9, 28, 22, 27}};
    for (const auto& b : bones) {
        DrawLine(c, b[0], b[1], b[2], b[3], 1.6f, Bone);
        FillEllipse(c, b[0], b[1], 1.2f, 1.2f, Bone);
        FillEllipse(c, b[2], b[3], 1.2f, 1.2f, Bone);
    }
}

void Door(Canvas& c, bool open) {
    FillRect(c, 5, 3, 26, 31, {60, 56, 54});                       // frame
    FillPolygon(c, {7, 31, 7, 9, 10, 5, 16, 4, 22, 5, 25, 9, 25, 31}, open ? Rgb{10, 8, 12} : Wood);
    if (open) {
        FillPolygon(c, {7, 31, 7, 9, 11, 7, 11, 31}, Shade(Wood, 80));   // the leaf, seen edge-on
        return;
    }
    for (int x = 11; x < 25; x += 4) DrawLine(c, float(x), 6, float(x), 31, 1, Shade(Wood, 70));   // planks
    FillRect(c, 7, 12, 25, 13, Iron);
    FillRect(c, 7, 24, 25, 25, Iron);
    FillEllipse(c, 21, 19, 1.8f, 1.8f, Gold);   // ring handle
}

void Pool(Canvas& c, Rgb liquid, bool dry) {
    FillEllipse(c, 16, 17, 13, 11, Stone);
    FillEllipse(c, 16, 17, 11, 9, Shade(Stone, 70));
    if (dry) {
        FillEllipse(c, 16, 18, 9, 7, {70, 56, 40});   // cracked mud
        DrawLine(c, 10, 17, 20, 20, 1, {40, 30, 24});
        DrawLine(c, 15, 13, 17, 22, 1, {40, 30, 24});
        return;
    }
    FillBall(c, 16, 17.5f, 9.5f, 7.5f, liquid);
    DrawLine(c, 11, 15, 15, 15, 1, Mix(liquid, {255, 255, 255}, 60));
    DrawLine(c, 17, 19, 21, 19, 1, Mix(liquid, {255, 255, 255}, 60));
    Glow(c, 16, 17, 12, liquid, 50);
}

void Spawn(Canvas& c, bool spent) {
    const Rgb rune = spent ? Rgb{90, 84, 84} : Rgb{230, 40, 40};
    if (!spent) Glow(c, 16, 16, 15, {200, 20, 40}, 110);
    for (int i = 0; i < 40; ++i) {
        const float a = float(i) / 40 * 6.2832f;
        FillEllipse(c, 16 + 12 * std::cos(a), 16 + 12 * std::sin(a), 0.9f, 0.9f, rune);
    }
    for (int i = 0; i < 5; ++i) {   // a five-pointed star
        const float a0 = -1.5708f + i * 2.5133f, a1 = -1.5708f + (i + 2) * 2.5133f;
        DrawLine(c, 16 + 11 * std::cos(a0), 16 + 11 * std::sin(a0), 16 + 11 * std::cos(a1), 16 + 11 * std::sin(a1), 1.2f, rune);
    }
}

void Fountain(Canvas& c, bool drank) {
    FillEllipse(c, 16, 23, 14, 6.5f, Stone);
    FillEllipse(c, 16, 22, 11.5f, 4.5f, drank ? Rgb{60, 56, 52} : Rgb{60, 130, 220});
    FillRect(c, 14, 8, 18, 22, Shade(Stone, 110));
    FillEllipse(c, 16, 8, 6, 2.2f, Stone);
    if (!drank) {
        for (int side = -1; side <= 1; side += 2)
            for (int i = 0; i < 8; ++i)   // arcs of water
                FillEllipse(c, 16 + side * (i * 1.2f + 1), 6 - std::sin(i * 0.42f) * 3 + i * 1.6f, 0.8f, 0.8f, {150, 210, 255});
        Glow(c, 16, 20, 10, {120, 190, 255}, 60);
    }
}

void Stairs(Canvas& c, bool down) {
    for (int i = 0; i < 6; ++i) {   // steps narrowing into the distance
        const int top = 4 + i * 4, inset = down ? 2 + i * 2 : 12 - i * 2;
        const int light = down ? 120 - i * 17 : 40 + i * 16;
        FillRect(c, inset, top, 31 - inset, top + 3, Shade(Stone, light));
        FillRect(c, inset, top + 3, 31 - inset, top + 3, Shade(Stone, light / 2));
    }
    if (down) FillRect(c, 14, 26, 17, 29, {8, 6, 8});
    // An arrow tells the way at a glance.
    const float tip = down ? 22 : 6, back = down ? 12 : 16;
    DrawLine(c, 27, back, 27, tip, 1.6f, Gold);
    FillPolygon(c, {24, tip + (down ? -2 : 2), 30, tip + (down ? -2 : 2), 27, tip + (down ? 2 : -2)}, Gold);
}

void MagicCircle(Canvas& c, Rgb ring, bool flames) {
    Glow(c, 16, 16, 15, ring, 80);
    for (int r = 0; r < 2; ++r)
        for (int i = 0; i < 48; ++i) {
            const float a = float(i) / 48 * 6.2832f, rad = r ? 9.5f : 12.5f;
            FillEllipse(c, 16 + rad * std::cos(a), 16 + rad * std::sin(a), 0.8f, 0.8f, ring);
        }
    for (int i = 0; i < 6; ++i) {   // runes between the rings
        const float a = float(i) / 6 * 6.2832f;
        const float x = 16 + 11 * std::cos(a), y = 16 + 11 * std::sin(a);
        DrawLine(c, x - 1, y - 1, x + 1, y + 1, 1, Mix(ring, {255, 255, 255}, 50));
    }
    if (flames)
        for (int i = 0; i < 8; ++i) {
            const float a = float(i) / 8 * 6.2832f;
            Flame(c, 16 + 12.5f * std::cos(a), 17 + 12.5f * std::sin(a), 1.3f);
        }
}

void Altar(Canvas& c, Rgb stone, Rgb cloth, bool jewels, bool dark) {
    FillRect(c, 5, 14, 26, 28, stone);
    FillRect(c, 3, 11, 28, 14, Shade(stone, 120));
    FillRect(c, 12, 11, 19, 24, cloth);                 // altar cloth
    FillPolygon(c, {12, 24, 19, 24, 15.5f, 27}, cloth);
    if (jewels) {
        FillBall(c, 8, 9, 2, 2, {220, 30, 60});
        FillBall(c, 16, 8, 2.4f, 2.4f, {60, 200, 255});
        FillBall(c, 24, 9, 2, 2, {60, 220, 90});
        Glow(c, 16, 9, 10, {255, 255, 200}, 80);
    }
    if (dark) {
        FillRect(c, 7, 6, 8, 10, {120, 20, 20});        // red candles
        FillRect(c, 23, 6, 24, 10, {120, 20, 20});
        Flame(c, 7.5f, 6, 1.0f);
        Flame(c, 23.5f, 6, 1.0f);
        FillEllipse(c, 16, 8, 3, 3, Bone);             // skull offering
        FillRect(c, 14, 7, 15, 8, Ink);
        FillRect(c, 17, 7, 18, 8, Ink);
    }
}

void Trap(Canvas& c, bool armed) {
    FillRect(c, 5, 5, 26, 26, Shade(Stone, 70));
    FrameRect(c, 5, 5, 26, 26, {40, 36, 34});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const float px = 8.5f + x * 5, py = 9.5f + y * 5;
            if (armed) {
                FillPolygon(c, {px - 1.6f, py + 1.5f, px, py - 3, px + 1.6f, py + 1.5f}, {200, 204, 214});
                SetPixel(c, int(px), int(py) - 2, {255, 255, 255});
            } else {
                FillEllipse(c, px, py, 1.1f, 1.1f, {20, 18, 20});   // spikes sunk in their holes
            }
        }
}

void Torch(Canvas& c, bool lit) {
    FillRect(c, 13, 19, 18, 21, Iron);                        // bracket
    DrawLine(c, 15.5f, 12, 15.5f, 28, 2.6f, Wood);
    FillRect(c, 13, 10, 18, 13, {80, 60, 40});                // pitch-soaked head
    if (lit) Flame(c, 15.5f, 10, 2.6f);
    else
        for (int i = 0; i < 4; ++i) BlendPixel(c, 15 + (i % 2), 8 - i * 2, {180, 180, 180}, 140);   // smoke
}

void Gear(Canvas& c, float x, float y, float r, Rgb metal) {
    for (int i = 0; i < 10; ++i) {
        const float a = float(i) / 10 * 6.2832f;
        DrawLine(c, x, y, x + (r + 2) * std::cos(a), y + (r + 2) * std::sin(a), 2.4f, metal);
    }
    FillBall(c, x, y, r, r, metal);
    FillEllipse(c, x, y, r * 0.35f, r * 0.35f, Ink);
}

void Scrolls(Canvas& c) {
    // Three rolled sheets of parchment lying across each other.
    const float rolls[][3] = {{15, 8, 0.2f}, {17, 16.5f, -0.15f}, {15, 25, 0.1f}};
    for (const auto& r : rolls) {
        const float dx = 9 * std::cos(r[2]), dy = 9 * std::sin(r[2]);
        DrawLine(c, r[0] - dx, r[1] - dy, r[0] + dx, r[1] + dy, 4.5f, {236, 220, 170});
        DrawLine(c, r[0] - dx, r[1] - dy + 1.5f, r[0] + dx, r[1] + dy + 1.5f, 1, {190, 170, 120});   // underside
        FillEllipse(c, r[0] + dx, r[1] + dy, 1.5f, 2.6f, {200, 180, 130});                      // rolled end
        FillEllipse(c, r[0] + dx, r[1] + dy, 0.6f, 1.2f, {140, 120, 80});
        DrawLine(c, r[0], r[1] - 2.5f, r[0], r[1] + 2.5f, 1.4f, {180, 30, 40});                  // ribbon
    }
}

}  // namespace

bool PaintDungeon(const std::string& name, Canvas& c) {
    if (name == "wall" || name == "torch" || name == "torch_extinct" || name == "geer_mecanism" || name == "lever")
        WallStones(c);
    else if (name == "floor_marble")
        Marble(c);
    else
        Flagstones(c, 43);

    if (name == "wall" || name == "floor" || name == "floor_marble") return true;
    if (name == "chest" || name == "chest_open") Chest(c, name == "chest_open");
    else if (name == "candelabrum" || name == "candelabrum_extinct") Candelabrum(c, name == "candelabrum");
    else if (name == "coffin" || name == "coffin_open") Coffin(c, name == "coffin_open");
    else if (name == "floor_bones" || name == "floor_bones_cleaned") Bones(c, name == "floor_bones_cleaned");
    else if (name == "door" || name == "door_opened") Door(c, name == "door_opened");
    else if (name == "source") Pool(c, {70, 150, 240}, false);
    else if (name == "source_complete") Pool(c, {0, 0, 0}, true);
    else if (name == "source_red") Pool(c, {220, 30, 40}, false);
    else if (name == "source_green") Pool(c, {50, 200, 70}, false);
    else if (name == "source_blue") Pool(c, {40, 70, 230}, false);
    else if (name == "source_yellow") Pool(c, {240, 210, 40}, false);
    else if (name == "source_brown") Pool(c, {130, 90, 50}, false);
    else if (name == "spawn" || name == "spawn_complete") Spawn(c, name == "spawn_complete");
    else if (name == "fountain" || name == "fountain_drank") Fountain(c, name == "fountain_drank");
    else if (name == "stairsd" || name == "stairsu") Stairs(c, name == "stairsd");
    else if (name == "circle") MagicCircle(c, {120, 200, 255}, false);
    else if (name == "circle_golden") MagicCircle(c, Gold, false);
    else if (name == "circle_aflamed") MagicCircle(c, {255, 110, 30}, true);
    else if (name == "altar") Altar(c, Stone, {240, 240, 240}, false, false);
    else if (name == "altar_jeweled") Altar(c, {200, 196, 186}, {60, 60, 180}, true, false);
    else if (name == "altar_dark") Altar(c, {50, 44, 50}, {120, 10, 20}, false, true);
    else if (name == "trap" || name == "trap_disabled") Trap(c, name == "trap");
    else if (name == "torch" || name == "torch_extinct") Torch(c, name == "torch");
    else if (name == "geer_mecanism") {
        Gear(c, 11, 12, 6, {170, 140, 70});
        Gear(c, 22, 22, 5, {140, 140, 150});
    } else if (name == "lever") {
        FillRect(c, 11, 18, 20, 26, Iron);
        DrawLine(c, 15.5f, 21, 22, 6, 2, {160, 160, 170});
        FillBall(c, 22, 6, 2.6f, 2.6f, {200, 30, 30});
    } else if (name == "scrolls") Scrolls(c);
    else return false;
    return true;
}
