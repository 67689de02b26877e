// Inventory pictures, 32 x 32: weapons laid on the diagonal (grip at the
// lower left, point at the upper right) as item art usually shows them,
// potions, robes, armour, bags and a few frame pieces. Every object is drawn
// on a flat dark slate and then outlined, so it reads on any background.
#include <cmath>

#include "tools/art.h"

namespace {

constexpr Rgb Slate = {44, 40, 52};
constexpr Rgb Ink = {14, 12, 18};
constexpr Rgb Steel = {196, 204, 214};
constexpr Rgb DarkSteel = {128, 136, 150};
constexpr Rgb Wood = {120, 78, 40};
constexpr Rgb Leather = {96, 60, 34};
constexpr Rgb Gold = {232, 186, 48};
constexpr Rgb Brass = {176, 140, 60};

// The weapon frame: u runs along the diagonal from the grip end, v across it
// (positive towards the lower right).
constexpr float OriginX = 4.0f, OriginY = 28.0f;
constexpr float Root = 0.70710678f;

void ToLocal(float x, float y, float* u, float* v) {
    const float dx = x - OriginX, dy = y - OriginY;
    *u = (dx - dy) * Root;
    *v = (dx + dy) * Root;
}

float CanvasX(float u, float v) { return OriginX + (u + v) * Root; }
float CanvasY(float u, float v) { return OriginY + (v - u) * Root; }

// A polygon given in weapon coordinates.
void FillLocal(Canvas& c, const std::vector<float>& uv, Rgb colour) {
    std::vector<float> xy;
    for (size_t i = 0; i + 1 < uv.size(); i += 2) {
        xy.push_back(CanvasX(uv[i], uv[i + 1]));
        xy.push_back(CanvasY(uv[i], uv[i + 1]));
    }
    FillPolygon(c, xy, colour);
}

void LineLocal(Canvas& c, float u0, float v0, float u1, float v1, float thickness, Rgb colour) {
    DrawLine(c, CanvasX(u0, v0), CanvasY(u0, v0), CanvasX(u1, v1), CanvasY(u1, v1), thickness, colour);
}

void Grip(Canvas& c, float from, float to, Rgb colour) {
    LineLocal(c, from, 0, to, 0, 2.6f, colour);
    for (float u = from + 1; u < to; u += 2) LineLocal(c, u, -0.8f, u, 0.8f, 1.0f, Shade(colour, 70));   // wrapping
}

// A sword-like blade from `start` to `start + length`. The centre line bends
// by `curve` times the square of the way along (sabres, kopesh); `width` is the
// half width at the guard, `tip` the part that narrows to the point; `square`
// ends it flat (an executioner's blade).
struct BladeShape {
    float length, width, tip, curve;
    bool square;
    Rgb steel;
};

void Blade(Canvas& c, float start, float direction, const BladeShape& b) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float u, v;
            ToLocal(x + 0.5f, y + 0.5f, &u, &v);
            const float t = (u - start) * direction / b.length;
            if (t < 0 || t > 1) continue;
            const float centre = b.curve * t * t;
            float half = b.width;
            if (!b.square && t > 1 - b.tip) half *= (1 - t) / b.tip;
            const float across = v - centre;
            if (std::fabs(across) > half + 0.15f) continue;
            Rgb p = b.steel;
            if (across > 0.35f * half) p = Shade(b.steel, 72);             // bevel in shadow
            else if (std::fabs(across) < 0.45f && half > 1.4f) p = Shade(b.steel, 112);   // fuller
            if (across < -0.7f * half) p = Mix(b.steel, {255, 255, 255}, 55);   // sharpened edge catches light
            SetPixel(c, x, y, p);
        }
}

struct SwordStyle {
    const char* name;
    float grip;
    float guard;   // half width of the cross guard; 0 for none
    BladeShape blade;
    bool doubleEnded;
    bool enchanted;
};

// clang-format off
constexpr SwordStyle Swords[] = {
    // name                                grip guard  length width tip  curve square steel               double enchanted
    {"item_knife",                         6.0f, 0.0f, {9.0f,  1.6f, 0.5f,  0.0f, false, {190, 190, 196}}, false, false},
    {"item_dagger",                        6.0f, 2.8f, {11.f,  1.7f, 0.5f,  0.0f, false, Steel},            false, false},
    {"item_short_sword",                   7.0f, 3.5f, {15.f,  1.9f, 0.25f, 0.0f, false, Steel},            false, false},
    {"item_gauche",                        6.0f, 4.5f, {12.f,  1.5f, 0.4f,  0.0f, false, {210, 214, 220}},  false, false},
    {"item_long_sword",                    7.0f, 4.0f, {22.f,  1.8f, 0.15f, 0.0f, false, Steel},            false, false},
    {"item_bastard_sword",                 8.5f, 4.5f, {21.f,  2.2f, 0.15f, 0.0f, false, {184, 190, 204}},  false, false},
    {"item_kopesh",                        7.0f, 2.5f, {18.f,  2.4f, 0.3f, -7.0f, false, {206, 176, 110}},  false, false},
    {"item_blade",                         7.0f, 3.5f, {20.f,  2.4f, 0.2f, -2.0f, false, Steel},            false, false},
    {"item_blade_ameliorated",             7.0f, 3.5f, {20.f,  2.4f, 0.2f, -2.0f, false, {200, 220, 255}},  false, true},
    {"item_behead",                        8.0f, 3.0f, {19.f,  3.4f, 0.0f,  0.0f, true,  {170, 174, 180}},  false, false},
    {"item_broad_sword",                   7.0f, 5.0f, {20.f,  3.0f, 0.2f,  0.0f, false, Steel},            false, false},
    {"item_horner",                        6.5f, 2.5f, {19.f,  2.2f, 0.4f, -4.5f, false, {236, 224, 190}},  false, false},
    {"item_saber",                         7.0f, 3.0f, {20.f,  1.8f, 0.2f, -3.5f, false, Steel},            false, false},
    {"item_saber_ameliorated",             7.0f, 3.0f, {20.f,  1.8f, 0.2f, -3.5f, false, {200, 220, 255}},  false, true},
    {"item_whale_blade",                   7.0f, 4.0f, {20.f,  3.6f, 0.35f,-3.0f, false, {150, 186, 210}},  false, false},
    {"item_whale_blade_ameliorated",       7.0f, 4.0f, {20.f,  3.6f, 0.35f,-3.0f, false, {170, 214, 255}},  false, true},
    {"item_two_handed_sword",             10.0f, 5.5f, {20.f,  2.4f, 0.15f, 0.0f, false, Steel},            false, false},
    {"item_two_bladed_sword",              6.0f, 3.5f, {12.f,  2.0f, 0.3f,  0.0f, false, Steel},            true,  false},
    {"item_two_bladed_sword_ameliorated",  6.0f, 3.5f, {12.f,  2.0f, 0.3f,  0.0f, false, {200, 220, 255}},  true,  true},
};
// clang-format on

void PaintSword(Canvas& c, const SwordStyle& s) {
    const Rgb guard = s.enchanted ? Gold : Brass;
    if (s.doubleEnded) {
        // Grip in the middle of the diagonal, a blade out of either end.
        const float mid = 22.0f, from = mid - s.grip / 2, to = mid + s.grip / 2;
        Grip(c, from, to, Leather);
        Blade(c, from - 1.2f, -1, s.blade);
        Blade(c, to + 1.2f, 1, s.blade);
        LineLocal(c, from - 0.6f, -s.guard, from - 0.6f, s.guard, 1.6f, guard);
        LineLocal(c, to + 0.6f, -s.guard, to + 0.6f, s.guard, 1.6f, guard);
    } else {
        Grip(c, 1.5f, s.grip, s.enchanted ? Rgb{70, 40, 110} : Leather);
        FillEllipse(c, CanvasX(1.2f, 0), CanvasY(1.2f, 0), 1.8f, 1.8f, guard);   // pommel
        Blade(c, s.grip + 1.2f, 1, s.blade);
        if (s.guard > 0) LineLocal(c, s.grip + 0.5f, -s.guard, s.grip + 0.5f, s.guard, 1.8f, guard);
    }
    if (s.enchanted) {
        FillEllipse(c, CanvasX(s.doubleEnded ? 22 : s.grip + 0.5f, 0), CanvasY(s.doubleEnded ? 22 : s.grip + 0.5f, 0), 1.4f, 1.4f, {80, 220, 255});
        Glow(c, CanvasX(30, -2), CanvasY(30, -2), 6, {180, 230, 255}, 160);
    }
}

// Hafted weapons: a shaft along the diagonal and a head near its top.
enum class Head { Maul, Morningstar, Mace, WarMace, Staff, Rod, Wand, HandAxe, Axe, BattleAxe, Glaive };

struct HaftedStyle {
    const char* name;
    Head head;
    float length;   // of the shaft along the diagonal
    Rgb shaft, metal, trim;
};

// clang-format off
constexpr HaftedStyle Hafted[] = {
    {"item_glaive",                   Head::Glaive,      22, Wood,            Steel,            Brass},
    {"item_maul",                     Head::Maul,        28, Wood,            DarkSteel,        DarkSteel},
    {"item_morningstar",              Head::Morningstar, 24, Wood,            DarkSteel,        Steel},
    {"item_mace",                     Head::Mace,        22, Wood,            Steel,            Steel},
    {"item_war_mace",                 Head::WarMace,     26, {70, 70, 80},    Steel,            Gold},
    {"item_staff",                    Head::Staff,       34, Wood,            {60, 200, 120},   Wood},
    {"item_rod",                      Head::Rod,         24, Brass,           {220, 40, 60},    Gold},
    {"item_wand",                     Head::Wand,        18, {236, 228, 210}, {120, 200, 255},  {255, 255, 200}},
    {"item_hand_axe",                 Head::HandAxe,     20, Wood,            Steel,            Steel},
    {"item_axe",                      Head::Axe,         26, Wood,            Steel,            Steel},
    {"item_battle_axe",               Head::BattleAxe,   30, Wood,            Steel,            Steel},
    {"item_iron_battle_axe",          Head::BattleAxe,   30, {80, 80, 90},    {120, 126, 136},  {120, 126, 136}},
    {"item_iron_ordered_battle_axe",  Head::BattleAxe,   30, {80, 80, 90},    {150, 156, 166},  Gold},
    {"item_iron_rubioux_battle_axe",  Head::BattleAxe,   30, {90, 30, 40},    {150, 156, 166},  {220, 30, 60}},
};
// clang-format on

void AxeBlade(Canvas& c, float at, float side, float size, Rgb metal) {
    // A crescent: wide at the edge, narrow where it meets the shaft.
    FillLocal(c, {at - 2.0f, 0, at - size * 0.9f, side * size * 1.1f, at + size * 0.9f, side * size * 1.1f,
                  at + 2.0f, 0}, metal);
    LineLocal(c, at - size * 0.9f, side * size * 1.1f, at + size * 0.9f, side * size * 1.1f, 1.2f,
              Mix(metal, {255, 255, 255}, 55));
}

void PaintHafted(Canvas& c, const HaftedStyle& s) {
    const float top = s.length;
    const float hx = CanvasX(top, 0), hy = CanvasY(top, 0);
    LineLocal(c, 0.5f, 0, top, 0, s.head == Head::Wand ? 1.6f : 2.4f, s.shaft);
    switch (s.head) {
        case Head::Maul:
            FillLocal(c, {top - 5, -6, top + 1, -6, top + 1, 6, top - 5, 6}, s.metal);
            FillLocal(c, {top - 5, -6, top - 3.5f, -6, top - 3.5f, 6, top - 5, 6}, Shade(s.metal, 130));
            break;
        case Head::Morningstar:
            for (int i = 0; i < 8; ++i) {
                const float a = float(i) * 0.785398f;
                DrawLine(c, hx, hy, hx + 7 * std::cos(a), hy + 7 * std::sin(a), 1.4f, s.trim);
            }
            FillBall(c, hx, hy, 4.5f, 4.5f, s.metal);
            break;
        case Head::Mace:
        case Head::WarMace: {
            const float r = s.head == Head::WarMace ? 5.0f : 4.0f;
            for (int i = 0; i < 4; ++i) LineLocal(c, top - r, (i - 1.5f) * r * 0.7f, top + r * 0.6f, (i - 1.5f) * r * 0.7f, 1.6f, Shade(s.metal, 80));
            FillBall(c, hx, hy, r * 0.8f, r * 0.8f, s.metal);
            LineLocal(c, top - r - 1, -2, top - r - 1, 2, 1.5f, s.trim);
            break;
        }
        case Head::Staff:
            FillBall(c, hx, hy, 3.2f, 3.2f, s.metal);
            Glow(c, hx, hy, 7, {150, 255, 190}, 140);
            break;
        case Head::Rod:
            LineLocal(c, top - 2, -2.5f, top - 2, 2.5f, 1.6f, s.trim);
            FillBall(c, hx, hy, 2.6f, 2.6f, s.metal);
            break;
        case Head::Wand:
            Glow(c, hx, hy, 8, s.metal, 200);
            DrawLine(c, hx - 4, hy, hx + 4, hy, 1, s.trim);
            DrawLine(c, hx, hy - 4, hx, hy + 4, 1, s.trim);
            break;
        case Head::Glaive:   // a pole with a long single-edged blade and a back spike
            FillLocal(c, {top - 1, -1.2f, top + 9, -2.5f, top + 11, 0.5f, top + 3, 2.8f, top - 1, 1.2f}, s.metal);
            LineLocal(c, top + 1, -1.0f, top + 9.5f, -2.0f, 1.0f, Mix(s.metal, {255, 255, 255}, 55));
            FillLocal(c, {top + 1, 1.2f, top + 2, 5, top + 3, 1.5f}, s.metal);
            LineLocal(c, top - 1, -2.2f, top - 1, 2.2f, 1.5f, s.trim);
            break;
        case Head::HandAxe:
            AxeBlade(c, top - 3, -1, 5, s.metal);
            break;
        case Head::Axe:
            AxeBlade(c, top - 3, -1, 6.5f, s.metal);
            break;
        case Head::BattleAxe:
            AxeBlade(c, top - 5, -1, 7, s.metal);
            AxeBlade(c, top - 5, 1, 7, s.metal);
            FillEllipse(c, CanvasX(top - 5, 0), CanvasY(top - 5, 0), 1.6f, 1.6f, s.trim);
            if (s.trim.r > 200 && s.trim.g < 100) {   // ruby studs
                FillEllipse(c, CanvasX(top - 5, -5), CanvasY(top - 5, -5), 1.3f, 1.3f, s.trim);
                FillEllipse(c, CanvasX(top - 5, 5), CanvasY(top - 5, 5), 1.3f, 1.3f, s.trim);
            }
            break;
    }
}

void PaintPotion(Canvas& c, Rgb liquid) {
    FillBall(c, 16, 21, 8.5f, 8.0f, Mix(liquid, {200, 220, 230}, 35));   // glass
    FillBall(c, 16, 22.5f, 7.2f, 6.2f, liquid);                           // the draught
    FillRect(c, 13, 7, 18, 14, {170, 196, 210});                          // neck
    FillRect(c, 12, 6, 19, 7, {200, 214, 224});                           // lip
    FillRect(c, 13, 3, 18, 5, {150, 100, 56});                            // cork
    FillEllipse(c, 12.5f, 18, 1.6f, 2.6f, {255, 255, 255});               // highlight
    Glow(c, 16, 22, 11, liquid, 60);
}

void PaintRobe(Canvas& c, Rgb cloth) {
    FillPolygon(c, {11, 4, 21, 4, 29, 14, 25, 17, 22, 13, 24, 30, 8, 30, 10, 13, 7, 17, 3, 14}, cloth);
    FillPolygon(c, {12, 4, 20, 4, 16, 10}, Shade(cloth, 55));   // neck opening
    FillRect(c, 10, 16, 22, 17, Gold);                           // sash
    FillRect(c, 15, 10, 16, 29, Shade(cloth, 80));               // front seam
    FillRect(c, 8, 28, 24, 29, Mix(cloth, Gold, 60));            // hem
}

enum class Armour { Leather, Studded, Chain, Scale, Plate, FullPlate, Magic };

void PaintArmour(Canvas& c, Armour kind) {
    const Rgb base = kind == Armour::Leather || kind == Armour::Studded ? Rgb{132, 84, 46}
                     : kind == Armour::Magic                            ? Rgb{90, 70, 200}
                     : kind == Armour::Chain                            ? Rgb{150, 154, 162}
                                                                        : Rgb{176, 184, 196};
    FillPolygon(c, {9, 5, 13, 5, 16, 9, 19, 5, 23, 5, 27, 9, 25, 17, 23, 16, 23, 28, 9, 28, 9, 16, 7, 17, 5, 9}, base);
    for (int y = 6; y < 29; ++y)
        for (int x = 5; x < 28; ++x) {
            const Rgb p = GetPixel(c, x, y);
            if (p.r != base.r || p.g != base.g || p.b != base.b) continue;
            Rgb q = p;
            if (kind == Armour::Chain && (x + y) % 2 == 0) q = Shade(base, 70);
            if (kind == Armour::Scale && (y % 3 == 0 || (x + (y / 3) % 2 * 2) % 4 == 0)) q = Shade(base, 72);
            if (kind == Armour::Studded && x % 4 == 1 && y % 4 == 1) q = {220, 220, 200};
            if ((kind == Armour::Plate || kind == Armour::FullPlate) && x > 16) q = Shade(base, 82);
            if (kind == Armour::Magic && (x * 3 + y * 5) % 11 == 0) q = {170, 240, 255};
            SetPixel(c, x, y, q);
        }
    if (kind == Armour::Leather || kind == Armour::Studded) FillRect(c, 9, 21, 23, 22, {70, 40, 20});   // belt
    if (kind == Armour::Plate || kind == Armour::FullPlate) {
        DrawLine(c, 16, 10, 16, 27, 1, Shade(base, 120));
        FillRect(c, 9, 20, 23, 20, Shade(base, 60));
    }
    if (kind == Armour::FullPlate) {   // pauldrons
        FillBall(c, 8, 8, 4, 3.5f, base);
        FillBall(c, 24, 8, 4, 3.5f, base);
        FillRect(c, 9, 20, 23, 21, Gold);
    }
    if (kind == Armour::Magic) Glow(c, 16, 16, 13, {150, 200, 255}, 90);
}

void PaintBag(Canvas& c, Rgb cloth) {
    FillBall(c, 16, 21, 10, 8.5f, cloth);
    FillPolygon(c, {12, 14, 20, 14, 22, 8, 10, 8}, Shade(cloth, 90));
    FillRect(c, 11, 12, 21, 13, {200, 170, 100});   // drawstring
    FillRect(c, 19, 13, 20, 17, {200, 170, 100});
    FillPolygon(c, {10, 8, 13, 5, 16, 8, 19, 5, 22, 8}, Shade(cloth, 75));
}

void PaintSocket(Canvas& c) {
    FillRect(c, 5, 5, 26, 26, {110, 110, 120});
    FrameRect(c, 5, 5, 26, 26, {160, 160, 170});
    FillBall(c, 16, 16, 8, 8, {150, 150, 160});
    FillEllipse(c, 16, 16, 5.5f, 5.5f, {20, 18, 26});   // the empty setting
    FillEllipse(c, 17, 17, 4.0f, 4.0f, {34, 30, 40});
    for (int i = 0; i < 4; ++i) FillEllipse(c, 16 + 6 * ((i & 1) ? 1.f : -1.f), 16 + 6 * ((i & 2) ? 1.f : -1.f), 1.2f, 1.2f, Gold);   // prongs
}

// Raised frame corners: corner 1 is the top left, then clockwise.
void PaintCorner(Canvas& c, int corner) {
    Canvas piece;
    NewCanvas(piece, 32, 32, Slate);
    FillRect(piece, 0, 0, 31, 7, {150, 120, 70});
    FillRect(piece, 0, 0, 7, 31, {150, 120, 70});
    FillRect(piece, 0, 0, 31, 1, {214, 180, 110});
    FillRect(piece, 0, 0, 1, 31, {214, 180, 110});
    FillRect(piece, 6, 6, 31, 7, {90, 66, 34});
    FillRect(piece, 6, 6, 7, 31, {90, 66, 34});
    FillBall(piece, 4, 4, 5, 5, Gold);
    FillEllipse(piece, 4, 4, 2, 2, {200, 40, 50});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int sx = (corner == 2 || corner == 3) ? 31 - x : x;
            const int sy = (corner == 3 || corner == 4) ? 31 - y : y;
            SetPixel(c, x, y, GetPixel(piece, sx, sy));
        }
}

// Pictures that differ only in colour or cut.
enum class Simple { Potion, Robe, Bag };

struct TintedItem {
    const char* name;
    Simple kind;
    Rgb colour;
};

constexpr TintedItem TintedItems[] = {
    {"item_potion_red", Simple::Potion, {214, 30, 40}},     {"item_potion_green", Simple::Potion, {50, 200, 70}},
    {"item_potion_blue", Simple::Potion, {40, 90, 230}},    {"item_potion_yellow", Simple::Potion, {240, 210, 40}},
    {"item_potion_white", Simple::Potion, {236, 236, 240}}, {"item_blue_robe", Simple::Robe, {40, 70, 190}},
    {"item_red_robe", Simple::Robe, {180, 34, 40}},         {"item_gray_robe", Simple::Robe, {130, 130, 136}},
    {"item_bag", Simple::Bag, {150, 110, 64}},              {"item_blue_bag", Simple::Bag, {50, 80, 180}},
};

struct ArmourItem {
    const char* name;
    Armour kind;
};

constexpr ArmourItem Armours[] = {
    {"item_leather_armor", Armour::Leather}, {"item_studded_leather_armor", Armour::Studded},
    {"item_chain_mail", Armour::Chain},      {"item_scale_armor_b", Armour::Scale},
    {"item_plate_armor", Armour::Plate},     {"item_full_plate_armor", Armour::FullPlate},
    {"item_magic_armor", Armour::Magic},
};

// Draws the named object on the slate; false when the name is not an object.
bool PaintObject(const std::string& name, Canvas& c) {
    for (const SwordStyle& s : Swords)
        if (name == s.name) {
            PaintSword(c, s);
            return true;
        }
    for (const HaftedStyle& s : Hafted)
        if (name == s.name) {
            PaintHafted(c, s);
            return true;
        }
    for (const TintedItem& t : TintedItems)
        if (name == t.name) {
            if (t.kind == Simple::Potion) PaintPotion(c, t.colour);
            else if (t.kind == Simple::Robe) PaintRobe(c, t.colour);
            else PaintBag(c, t.colour);
            return true;
        }
    for (const ArmourItem& a : Armours)
        if (name == a.name) {
            PaintArmour(c, a.kind);
            return true;
        }
    if (name == "socket") {
        PaintSocket(c);
        return true;
    }
    return false;
}

}  // namespace

bool PaintItem(const std::string& name, Canvas& c) {
    NewCanvas(c, 32, 32, Slate);
    if (name == "blank") {
        // The empty slot: a sunken panel.
        FrameRect(c, 0, 0, 31, 31, {24, 22, 30});
        FrameRect(c, 1, 1, 30, 30, {64, 60, 74});
        return true;
    }
    if (name.rfind("alleviated_corner", 0) == 0 && name.size() == 18) {
        PaintCorner(c, name[17] - '0');
        return true;   // a frame piece fills its square: no outline
    }
    if (!PaintObject(name, c)) return false;
    Outline(c, Slate, Ink);
    return true;
}
