// Creature pictures, 32 x 32, standing on the bottom edge. They are built
// from a few families (people, skeletons, beasts, crawlers, elementals) with
// colours and props that tell the members apart; the rest are one-offs.
// Each is outlined in near-black so it separates from the dark backdrop.
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

bool PaintOneOff(const std::string& name, Canvas& c) {
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

}  // namespace

bool PaintUnit(const std::string& name, Canvas& c) {
    NewCanvas(c, 32, 32, Backdrop);
    bool drawn = false;
    for (const Person& p : People)
        if (name == p.name) PaintPerson(c, p), drawn = true;
    for (const Skeleton& s : Skeletons)
        if (name == s.name) PaintSkeleton(c, s), drawn = true;
    for (const Beast& b : Beasts)
        if (name == b.name) PaintBeast(c, b), drawn = true;
    if (!drawn) drawn = PaintOneOff(name, c);
    if (drawn) Outline(c, Backdrop, Ink);
    return drawn;
}
