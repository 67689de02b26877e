// Creature pictures, 32 x 32, standing on the bottom edge. This file draws
// the three big families (people, skeletons, four-legged beasts), each from a
// table whose colours and props tell the members apart; art_monsters.cpp
// draws the rest. Each is outlined in near-black so it separates from the
// dark backdrop.
#include <cmath>

#include "tools/art.h"

namespace {

constexpr Rgb Backdrop = {38, 34, 42};
constexpr Rgb Ink = {10, 8, 12};
constexpr Rgb Bone = {226, 220, 196};
constexpr Rgb Steel = {170, 178, 190};
constexpr Rgb Wood = {118, 80, 42};
constexpr Rgb Gold = {236, 190, 50};

enum class Hat { None, Pointed, Horns, Helmet, Hood, Crown, Snakes, BigEars, Alien };
enum class Weapon { None, Sword, Staff, Axe, Dagger, Club, Mace };

// A person: the figure is drawn in a 32 x 32 frame and stretched about the
// feet by (wide, tall), so the same figure makes dwarves and ogres.
struct Person {
    const char* name;
    Rgb skin, body, legs;
    float wide, tall;
    Hat hat;
    Rgb hatColour;
    Weapon weapon;
    bool shield, robe, beard;
};

// clang-format off
constexpr Person People[] = {
    // name            skin             body             legs             wide   tall   hat         hat colour       weapon          shield robe   beard
    {"unit_goblin",    {110, 170, 60},  {110, 80, 50},   {80, 60, 40},    0.95f, 0.78f, Hat::BigEars, {110, 170, 60}, Weapon::Dagger, false, false, false},
    {"unit_nabos",     {90, 120, 200},  {150, 60, 120},  {70, 50, 90},    1.0f,  0.92f, Hat::Horns,  {230, 230, 210}, Weapon::Club,   false, false, false},
    {"unit_orc_b",     {120, 140, 90},  {100, 90, 80},   {70, 60, 50},    1.15f, 1.0f,  Hat::Helmet, {110, 110, 120}, Weapon::Axe,    false, false, false},
    {"unit_drius",     {110, 80, 140},  {40, 40, 60},    {30, 30, 46},    0.95f, 1.0f,  Hat::Hood,   {60, 50, 90},    Weapon::Sword,  false, false, false},
    {"unit_mage",      {236, 196, 160}, {50, 70, 200},   {50, 70, 200},   1.0f,  1.0f,  Hat::Pointed, {50, 70, 200},  Weapon::Staff,  false, true,  true},
    {"unit_dwarf",     {230, 180, 140}, {150, 70, 40},   {90, 60, 40},    1.2f,  0.74f, Hat::Helmet, {170, 170, 180}, Weapon::Axe,    false, false, true},
    {"unit_minotor",   {130, 80, 50},   {90, 60, 40},    {90, 60, 40},    1.15f, 1.02f, Hat::Horns,  {236, 226, 200}, Weapon::Axe,    false, false, false},
    {"unit_ogre",      {170, 150, 90},  {110, 80, 50},   {90, 70, 50},    1.3f,  1.0f,  Hat::None,   {0, 0, 0},       Weapon::Club,   false, false, false},
    {"unit_medusa",    {130, 180, 130}, {60, 120, 90},   {60, 120, 90},   0.95f, 1.0f,  Hat::Snakes, {60, 160, 60},   Weapon::None,   false, true,  false},
    {"unit_fighter",   {236, 196, 160}, {160, 168, 180}, {90, 90, 110},   1.05f, 1.0f,  Hat::Helmet, {160, 168, 180}, Weapon::Sword,  true,  false, false},
    {"unit_cleric",    {236, 196, 160}, {230, 230, 236}, {230, 230, 236}, 1.0f,  1.0f,  Hat::Hood,   {230, 230, 236}, Weapon::Mace,   false, true,  false},
    {"unit_bandit",    {220, 180, 140}, {70, 60, 40},    {50, 40, 30},    1.0f,  0.96f, Hat::Hood,   {60, 70, 40},    Weapon::Dagger, false, false, false},
    {"unit_pleidian",  {170, 190, 210}, {120, 130, 170}, {120, 130, 170}, 0.85f, 1.02f, Hat::Alien,  {170, 190, 210}, Weapon::None,   false, false, false},
};
// clang-format on

// Maps a point of the 32 x 32 figure onto the canvas, stretched about the feet.
struct Frame {
    float wide = 1, tall = 1;
    float X(float x) const { return 16 + (x - 16) * wide; }
    float Y(float y) const { return 30 - (30 - y) * tall; }
};

void Rect(Canvas& c, const Frame& f, float x0, float y0, float x1, float y1, Rgb colour) {
    FillPolygon(c, {f.X(x0), f.Y(y0), f.X(x1), f.Y(y0), f.X(x1), f.Y(y1), f.X(x0), f.Y(y1)}, colour);
}

void Line(Canvas& c, const Frame& f, float x0, float y0, float x1, float y1, float w, Rgb colour) {
    DrawLine(c, f.X(x0), f.Y(y0), f.X(x1), f.Y(y1), w * f.wide, colour);
}

void Disc(Canvas& c, const Frame& f, float x, float y, float r, Rgb colour) {
    FillBall(c, f.X(x), f.Y(y), r * f.wide, r * f.tall, colour);
}

void Poly(Canvas& c, const Frame& f, std::vector<float> pts, Rgb colour) {
    for (size_t i = 0; i + 1 < pts.size(); i += 2) {
        pts[i] = f.X(pts[i]);
        pts[i + 1] = f.Y(pts[i + 1]);
    }
    FillPolygon(c, pts, colour);
}

// The weapon held in the figure's right hand (the viewer's right, at 24, 20).
void HeldWeapon(Canvas& c, const Frame& f, Weapon w) {
    switch (w) {
        case Weapon::None: break;
        case Weapon::Sword:
            Line(c, f, 24, 21, 27, 5, 2.0f, Steel);
            Line(c, f, 22, 18, 27, 19, 1.5f, Gold);
            break;
        case Weapon::Dagger:
            Line(c, f, 24, 21, 26, 13, 1.6f, Steel);
            break;
        case Weapon::Staff:
            Line(c, f, 25, 29, 25, 4, 1.6f, Wood);
            Disc(c, f, 25, 4, 2.2f, {80, 220, 255});
            Glow(c, f.X(25), f.Y(4), 5, {160, 240, 255}, 120);
            break;
        case Weapon::Axe:
            Line(c, f, 24, 24, 25, 6, 1.6f, Wood);
            Poly(c, f, {25, 7, 30, 4, 30, 13, 25, 11}, Steel);
            break;
        case Weapon::Club:
            Line(c, f, 24, 22, 26, 8, 2.2f, Wood);
            Disc(c, f, 26.5f, 7.5f, 3.2f, {140, 100, 60});
            break;
        case Weapon::Mace:
            Line(c, f, 24, 22, 25, 11, 1.5f, Wood);
            Disc(c, f, 25, 10, 2.6f, Gold);
            break;
    }
}

void PaintPerson(Canvas& c, const Person& p) {
    const Frame f{p.wide, p.tall};
    if (p.robe) {
        Poly(c, f, {12, 12, 20, 12, 23, 30, 9, 30}, p.body);
        Line(c, f, 16, 14, 16, 29, 1, Shade(p.body, 80));
    } else {
        Rect(c, f, 12, 21, 14.6f, 29, p.legs);
        Rect(c, f, 17.4f, 21, 20, 29, p.legs);
        Rect(c, f, 11.5f, 28.4f, 14.6f, 30, {50, 36, 26});   // boots
        Rect(c, f, 17.4f, 28.4f, 20.5f, 30, {50, 36, 26});
        Rect(c, f, 11, 12, 21, 22, p.body);
        Rect(c, f, 11, 20, 21, 21, Shade(p.body, 60));        // belt
    }
    Line(c, f, 11.5f, 13, 8.5f, 20, 2.6f, p.body);           // arms
    Line(c, f, 20.5f, 13, 23.5f, 20, 2.6f, p.body);
    Disc(c, f, 8.5f, 20.5f, 1.5f, p.skin);                    // hands
    Disc(c, f, 23.5f, 20.5f, 1.5f, p.skin);
    if (p.name == std::string("unit_cleric")) {                // the holy sign
        Line(c, f, 16, 14, 16, 22, 1.4f, Gold);
        Line(c, f, 13.5f, 16.5f, 18.5f, 16.5f, 1.4f, Gold);
    }

    const float headR = p.hat == Hat::Alien ? 5.0f : 4.0f;
    Disc(c, f, 16, 8, headR, p.skin);
    if (p.hat == Hat::Alien) {   // the large dark eyes of the star people
        Poly(c, f, {12.5f, 7, 15.2f, 8, 14.8f, 10.5f, 12.8f, 9}, Ink);
        Poly(c, f, {19.5f, 7, 16.8f, 8, 17.2f, 10.5f, 19.2f, 9}, Ink);
    } else {
        Rect(c, f, 14, 7.5f, 15, 8.5f, Ink);
        Rect(c, f, 17, 7.5f, 18, 8.5f, Ink);
    }
    if (p.beard) Poly(c, f, {12.5f, 9.5f, 19.5f, 9.5f, 16, 15}, {230, 230, 230});
    switch (p.hat) {
        case Hat::None:
        case Hat::Alien: break;
        case Hat::Pointed:
            Poly(c, f, {10, 6, 22, 6, 17, -3}, p.hatColour);
            Rect(c, f, 10, 5, 22, 6.4f, Shade(p.hatColour, 70));
            Disc(c, f, 16.5f, 1.5f, 0.9f, Gold);
            break;
        case Hat::Horns:
            Poly(c, f, {12, 6, 13.5f, 4.5f, 9, 0, 9.5f, 4}, p.hatColour);
            Poly(c, f, {20, 6, 18.5f, 4.5f, 23, 0, 22.5f, 4}, p.hatColour);
            break;
        case Hat::Helmet:
            Poly(c, f, {11.6f, 7, 12.5f, 3.5f, 16, 2.8f, 19.5f, 3.5f, 20.4f, 7}, p.hatColour);
            Rect(c, f, 15.5f, 7, 16.5f, 10, p.hatColour);   // nose guard
            break;
        case Hat::Hood:
            Poly(c, f, {11, 10, 11.5f, 4.5f, 16, 2.5f, 20.5f, 4.5f, 21, 10, 19.5f, 6, 12.5f, 6}, p.hatColour);
            if (p.name == std::string("unit_bandit")) Rect(c, f, 12.6f, 9, 19.4f, 11.5f, {40, 40, 40});   // mask
            break;
        case Hat::Crown:
            Poly(c, f, {12, 5, 12, 2, 14, 4, 16, 1.5f, 18, 4, 20, 2, 20, 5}, Gold);
            break;
        case Hat::Snakes:
            for (int i = 0; i < 5; ++i) {
                const float x = 11 + i * 2.5f;
                Line(c, f, x + 1, 5, x - 1.5f + (i % 2) * 3, 0.5f, 1.4f, p.hatColour);
                Disc(c, f, x - 1.5f + (i % 2) * 3, 0.5f, 1.0f, Shade(p.hatColour, 130));
            }
            break;
        case Hat::BigEars:
            Poly(c, f, {12.5f, 6.5f, 7, 4, 12.5f, 9}, p.hatColour);
            Poly(c, f, {19.5f, 6.5f, 25, 4, 19.5f, 9}, p.hatColour);
            break;
    }
    HeldWeapon(c, f, p.weapon);
    if (p.shield) {
        Disc(c, f, 8, 21, 4, {170, 30, 40});
        Disc(c, f, 8, 21, 1.4f, Gold);
    }
}

// Skeletons share one frame; the variants change the bones' colour, the
// size, what they wear and hold, and the light around them.
struct Skeleton {
    const char* name;
    Rgb bone, eyes;
    float wide, tall, thick;
    bool legs, horns, helmet, armour, shield, flesh, blood;
    Weapon weapon;
    Rgb aura;
    int auraStrength;
};

// clang-format off
constexpr Skeleton Skeletons[] = {
    // name                            bone              eyes             wide  tall  thick legs  horns  helmet armour shield flesh  blood  weapon          aura             strength
    {"unit_squeletton",                Bone,             Ink,             1.0f, 1.0f, 1.5f, true, false, false, false, false, false, false, Weapon::None,   {0, 0, 0},       0},
    {"unit_squeletton_zombi",          {170, 186, 140},  {200, 220, 60},  1.0f, 0.97f,1.6f, true, false, false, false, false, true,  false, Weapon::None,   {0, 0, 0},       0},
    {"unit_squeletton_zombi_wounded",  {170, 186, 140},  {200, 220, 60},  1.0f, 0.95f,1.6f, true, false, false, false, false, true,  true,  Weapon::None,   {0, 0, 0},       0},
    {"unit_squeletton_sturdy",         Bone,             Ink,             1.2f, 1.0f, 2.4f, true, false, false, false, false, false, false, Weapon::Club,   {0, 0, 0},       0},
    {"unit_squeletton_monster",        {200, 190, 170},  {255, 60, 40},   1.2f, 1.05f,2.0f, true, true,  false, false, false, false, false, Weapon::None,   {0, 0, 0},       0},
    {"unit_squeletton_brave",          Bone,             Ink,             1.0f, 1.0f, 1.5f, true, false, true,  false, true,  false, false, Weapon::Sword,  {0, 0, 0},       0},
    {"unit_squeletton_floating",       {200, 220, 236},  {120, 200, 255}, 1.0f, 1.0f, 1.5f, false,false, false, false, false, false, false, Weapon::None,   {140, 200, 255}, 90},
    {"unit_squeletton_fire",           {255, 200, 120},  {255, 240, 80},  1.0f, 1.0f, 1.6f, true, false, false, false, false, false, false, Weapon::None,   {255, 110, 20},  150},
    {"unit_squeletton_ogre",           {210, 200, 170},  Ink,             1.4f, 1.05f,2.6f, true, false, false, false, false, false, false, Weapon::Club,   {0, 0, 0},       0},
    {"unit_squeletton_armored",        Bone,             Ink,             1.05f,1.0f, 1.6f, true, false, true,  true,  false, false, false, Weapon::None,   {0, 0, 0},       0},
    {"unit_squeletton_warrior",        Bone,             Ink,             1.0f, 1.0f, 1.6f, true, false, true,  false, false, false, false, Weapon::Axe,    {0, 0, 0},       0},
    {"unit_squeletton_evil",           {190, 170, 190},  {255, 20, 20},   1.05f,1.0f, 1.7f, true, true,  false, false, false, false, false, Weapon::Sword,  {150, 30, 200},  130},
};
// clang-format on

void PaintSkeleton(Canvas& c, const Skeleton& s) {
    const Frame f{s.wide, s.tall};
    if (s.auraStrength > 0) Glow(c, 16, 16, 16, s.aura, s.auraStrength);
    const float t = s.thick;
    Line(c, f, 16, 11, 16, 21, t, s.bone);                  // spine
    for (int i = 0; i < 3; ++i) Line(c, f, 12, 13.0f + 2.2f * i, 20, 13.0f + 2.2f * i, t * 0.8f, s.bone);   // ribs
    Poly(c, f, {12.5f, 20.5f, 19.5f, 20.5f, 18, 23, 14, 23}, s.bone);   // pelvis
    Line(c, f, 12, 12.5f, 9, 17, t, s.bone);                // arms
    Line(c, f, 9, 17, 8.5f, 21, t, s.bone);
    Line(c, f, 20, 12.5f, 23, 17, t, s.bone);
    Line(c, f, 23, 17, 23.5f, 21, t, s.bone);
    if (s.legs) {
        Line(c, f, 14, 23, 13, 26.5f, t, s.bone);
        Line(c, f, 13, 26.5f, 13, 29.5f, t, s.bone);
        Line(c, f, 18, 23, 19, 26.5f, t, s.bone);
        Line(c, f, 19, 26.5f, 19, 29.5f, t, s.bone);
    } else {   // a fading wisp instead of legs
        Poly(c, f, {13, 23, 19, 23, 17, 30, 15.5f, 26}, Mix(s.aura, Backdrop, 30));
    }
    if (s.armour) {
        Poly(c, f, {11, 11.5f, 21, 11.5f, 20, 20, 12, 20}, Steel);
        Line(c, f, 16, 12, 16, 19.5f, 1, Shade(Steel, 70));
    }
    if (s.flesh) {   // rotting rags of flesh on the bones
        Rect(c, f, 12, 14, 15, 17, {90, 120, 70});
        Rect(c, f, 18, 24, 20, 27, {90, 120, 70});
        Rect(c, f, 8, 15, 10, 18, {100, 110, 70});
    }
    if (s.blood) {
        Rect(c, f, 17, 13, 19, 16, {190, 20, 20});
        Rect(c, f, 13, 24, 14, 28, {170, 16, 16});
    }
    Disc(c, f, 16, 7, 4.2f, s.bone);                         // skull
    Rect(c, f, 14, 10, 18, 12, s.bone);                       // jaw
    Rect(c, f, 14.4f, 10.8f, 17.6f, 11.2f, Shade(s.bone, 60));   // teeth line
    Rect(c, f, 13.5f, 6, 15.5f, 8.5f, s.eyes);
    Rect(c, f, 16.5f, 6, 18.5f, 8.5f, s.eyes);
    if (s.horns) {
        Poly(c, f, {12.5f, 5, 13.5f, 3.5f, 9.5f, -0.5f}, {90, 70, 60});
        Poly(c, f, {19.5f, 5, 18.5f, 3.5f, 22.5f, -0.5f}, {90, 70, 60});
    }
    if (s.helmet) Poly(c, f, {11.6f, 6, 12.4f, 2.8f, 16, 2, 19.6f, 2.8f, 20.4f, 6}, {120, 126, 140});
    HeldWeapon(c, f, s.weapon);
    if (s.shield) {
        Poly(c, f, {4.5f, 17, 11.5f, 17, 11, 23, 8, 26, 5, 23}, {60, 90, 170});
        Line(c, f, 8, 17.5f, 8, 25, 1, {230, 230, 230});
    }
}

// Four-legged beasts, facing left: body, head with a snout, legs and a tail.
struct Beast {
    const char* name;
    Rgb fur, belly, eye;
    float bodyRx, bodyRy, headR, legLength;
    bool longTail, roundEars, spikes;
};

// clang-format off
constexpr Beast Beasts[] = {
    // name                  fur              belly            eye              body rx ry   head  legs  long tail round ears spikes
    {"unit_giant_rat",       {120, 106, 96},  {170, 150, 140}, {230, 30, 30},   8.5f, 5.0f, 3.6f, 3.0f, true,  true,  false},
    {"unit_dog",             {150, 100, 56},  {200, 160, 110}, Ink,             8.0f, 4.2f, 3.8f, 6.0f, false, false, false},
    {"unit_gor_dog",         {110, 40, 30},   {150, 80, 60},   {255, 220, 40},  8.5f, 4.6f, 4.0f, 6.0f, false, false, true},
    {"unit_polar_geer",      {236, 236, 240}, {200, 206, 214}, Ink,             10.0f,6.5f, 5.4f, 5.0f, false, true,  false},
};
// clang-format on

void PaintBeast(Canvas& c, const Beast& b) {
    const float groundY = 29.5f, bodyY = groundY - b.legLength - b.bodyRy * 0.6f;
    const float bodyX = 17.5f, headX = bodyX - b.bodyRx - b.headR * 0.3f, headY = bodyY - b.bodyRy * 0.7f;
    if (b.longTail)
        for (int i = 0; i < 12; ++i)
            FillEllipse(c, bodyX + b.bodyRx + i * 0.9f, bodyY + 2 - std::sin(i * 0.35f) * 4, 0.9f, 0.9f, {220, 150, 150});
    else
        DrawLine(c, bodyX + b.bodyRx - 1, bodyY - 1, bodyX + b.bodyRx + 3, bodyY - 5, 2, b.fur);
    for (int i = 0; i < 4; ++i) {   // legs, the far pair darker
        const float x = bodyX - b.bodyRx * 0.65f + (i / 2) * b.bodyRx * 1.2f + (i % 2) * 2;
        DrawLine(c, x, bodyY, x, groundY, 2.2f, i % 2 ? b.fur : Shade(b.fur, 70));
    }
    FillBall(c, bodyX, bodyY, b.bodyRx, b.bodyRy, b.fur);
    FillEllipse(c, bodyX, bodyY + b.bodyRy * 0.55f, b.bodyRx * 0.7f, b.bodyRy * 0.35f, b.belly);
    if (b.spikes)
        for (int i = 0; i < 4; ++i)
            FillPolygon(c, {bodyX - 5 + i * 3.0f, bodyY - b.bodyRy + 1, bodyX - 3.5f + i * 3.0f, bodyY - b.bodyRy - 3,
                            bodyX - 2 + i * 3.0f, bodyY - b.bodyRy + 1}, {230, 220, 200});
    if (b.roundEars) FillBall(c, headX + 1.5f, headY - b.headR, 1.8f, 1.8f, b.fur);
    else FillPolygon(c, {headX, headY - b.headR + 1, headX + 3, headY - b.headR + 1, headX + 2.5f, headY - b.headR - 3}, Shade(b.fur, 80));
    FillBall(c, headX, headY, b.headR, b.headR * 0.9f, b.fur);
    FillBall(c, headX - b.headR - 0.8f, headY + 1, b.headR * 0.7f, b.headR * 0.5f, b.fur);   // snout
    SetPixel(c, int(headX - b.headR * 1.6f - 0.5f), int(headY + 0.5f), Ink);                   // nose
    FillEllipse(c, headX - 1, headY - 1, 1.1f, 1.1f, b.eye);
}

}  // namespace

bool PaintUnit(const std::string& name, Canvas& c) {
    NewCanvas(c, 32, 32, Backdrop);
    bool drawn = false;
    for (const Person& p : People)
        if (!drawn && name == p.name) {
            PaintPerson(c, p);
            drawn = true;
        }
    for (const Skeleton& s : Skeletons)
        if (!drawn && name == s.name) {
            PaintSkeleton(c, s);
            drawn = true;
        }
    for (const Beast& b : Beasts)
        if (!drawn && name == b.name) {
            PaintBeast(c, b);
            drawn = true;
        }
    if (!drawn) drawn = PaintMonster(name, c);
    if (drawn) Outline(c, Backdrop, Ink);
    return drawn;
}
