// The pointer cross and the intro screen. The intro is a night view of a
// dungeon gate in the mountains under a block-letter title; the letters are
// drawn from a tiny 5 x 7 pattern table, the one piece of text in the pack.
#include <cmath>
#include <cstring>

#include "tools/art.h"

namespace {

constexpr int IntroWidth = 320, IntroHeight = 240;

// 5 x 7 block letters for the title, one string per row, '#' set.
struct Glyph {
    char letter;
    const char* rows[7];
};

constexpr Glyph TitleGlyphs[] = {
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
};

constexpr const char* Title = "DUNGEON";

const Glyph* FindGlyph(char letter) {
    for (const Glyph& g : TitleGlyphs)
        if (g.letter == letter) return &g;
    return nullptr;
}

// Each set cell of a letter becomes a small bevelled stone block.
void BlockLetters(Canvas& c, const char* text, int left, int top, int block) {
    for (int i = 0; text[i]; ++i) {
        const Glyph* g = FindGlyph(text[i]);
        if (g == nullptr) continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col) {
                if (g->rows[row][col] != '#') continue;
                const int x = left + (i * 6 + col) * block, y = top + row * block;
                FillRect(c, x + 2, y + 2, x + block + 1, y + block + 1, {10, 6, 12});   // drop shadow
                FillRect(c, x, y, x + block - 1, y + block - 1, {232, 176, 60});
                FillRect(c, x, y, x + block - 1, y, {255, 232, 150});
                FillRect(c, x, y, x, y + block - 1, {255, 220, 120});
                FillRect(c, x, y + block - 1, x + block - 1, y + block - 1, {150, 96, 30});
                FillRect(c, x + block - 1, y, x + block - 1, y + block - 1, {170, 110, 36});
            }
    }
}

void PaintIntro(Canvas& c) {
    NewCanvas(c, IntroWidth, IntroHeight, {0, 0, 0});
    for (int y = 0; y < IntroHeight; ++y)   // night sky, deep blue to dusky violet
        FillRect(c, 0, y, IntroWidth - 1, y, Mix({10, 12, 40}, {70, 40, 90}, y * 100 / IntroHeight));
    for (int i = 0; i < 160; ++i) {
        const uint32_t h = Hash(uint32_t(i), 7, 201);
        const int x = int(h % IntroWidth), y = int((h >> 9) % 150);
        SetPixel(c, x, y, (h >> 20) % 4 ? Rgb{200, 200, 230} : Rgb{255, 255, 255});
    }
    FillBall(c, 278, 108, 13, 13, {240, 236, 210});   // moon, low over the hills
    Glow(c, 278, 108, 36, {200, 200, 240}, 60);

    // Two ranges of mountains, the near one darker.
    for (int range = 0; range < 2; ++range)
        for (int x = 0; x < IntroWidth; ++x) {
            const int ridge = (range ? 150 : 120) + ValueNoise(x, 0, range ? 32 : 64, 512, 202 + range) * (range ? 50 : 70) / 255 -
                              (range ? 30 : 40);
            FillRect(c, x, ridge, x, IntroHeight - 1, range ? Rgb{24, 20, 34} : Rgb{44, 40, 66});
        }

    // The gate: a stone arch glowing from within, with torches either side.
    FillRect(c, 120, 150, 199, 239, {70, 64, 70});
    for (int y = 150; y < 240; y += 8)
        for (int x = 120 + (y / 8 % 2) * 8; x + 15 < 200; x += 16) FrameRect(c, x, y, x + 15, y + 7, {50, 46, 52});
    FillPolygon(c, {138, 240, 138, 196, 146, 180, 160, 172, 174, 180, 182, 196, 182, 240}, {255, 150, 50});
    FillPolygon(c, {146, 240, 146, 200, 152, 188, 160, 184, 168, 188, 174, 200, 174, 240}, {255, 220, 120});
    Glow(c, 160, 215, 70, {255, 140, 40}, 110);
    for (int side = 0; side < 2; ++side) {
        const float x = side ? 192 : 128;
        DrawLine(c, x, 190, x, 170, 3, {100, 70, 40});
        FillEllipse(c, x, 165, 3, 6, {255, 180, 40});
        Glow(c, x, 165, 18, {255, 160, 40}, 120);
    }

    BlockLetters(c, Title, (IntroWidth - (int(std::strlen(Title)) * 6 - 1) * 6) / 2, 40, 6);
}

void PaintCross(Canvas& c) {
    // A cross of two bars in a thin ring on a dark field.
    NewCanvas(c, 32, 32, {20, 18, 24});
    for (int i = 0; i < 64; ++i) {
        const float a = float(i) / 64 * 6.2832f;
        FillEllipse(c, 16 + 11 * std::cos(a), 16 + 11 * std::sin(a), 0.7f, 0.7f, {200, 200, 200});
    }
    FillRect(c, 15, 3, 16, 28, {250, 250, 250});
    FillRect(c, 3, 15, 28, 16, {250, 250, 250});
    FillRect(c, 14, 14, 17, 17, {230, 40, 40});
}

}  // namespace

bool PaintScreen(const std::string& name, Canvas& c) {
    if (name == "cross4") PaintCross(c);
    else if (name == "intro1") PaintIntro(c);
    else return false;
    return true;
}
