// The software picture every frame ends in. All drawing is done pixel by
// pixel on the CPU; every pixel passes SetPixel's bounds test.
#include "render/overlay.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "machine/memory.h"
#include "render/fonts.h"

int OverlayWidth = 0;
int OverlayHeight = 0;
uint8_t* OverlayBuffer = nullptr;
uint8_t* ReadbackBuffer = nullptr;
char TextBuffer[TextBufferSize] = {};

void ReleaseOverlay() {
    std::free(OverlayBuffer);
    std::free(ReadbackBuffer);
    OverlayBuffer = ReadbackBuffer = nullptr;
}

void SetOverlaySize(int width, int height) {
    OverlayWidth = width;
    OverlayHeight = height;
    ReleaseOverlay();
    size_t bytes = static_cast<size_t>(width) * height * 4;
    OverlayBuffer = static_cast<uint8_t*>(AllocOrQuit(bytes, false, "the overlay picture"));
    // The renderer always reads back the whole view, whatever the overlay's size.
    ReadbackBuffer = static_cast<uint8_t*>(AllocOrQuit(static_cast<size_t>(ViewWidth) * ViewHeight * 4, false, "the read-back picture"));
}

void FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(TextBuffer, sizeof TextBuffer, format, args);
    va_end(args);
}

void SetPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || x >= OverlayWidth || y < 0 || y >= OverlayHeight) return;
    uint8_t* p = OverlayBuffer + 4 * (static_cast<size_t>(y) * OverlayWidth + x);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = 255;
}

// An integer walk whose error term starts at the minor difference (not half
// the major one); it plots max(dx, dy) + 1 pixels and ends on (x2, y2).
void DrawLine(int x1, int y1, int x2, int y2, uint8_t r, uint8_t g, uint8_t b) {
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    int sx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
    int sy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
    int x = x1, y = y1;
    SetPixel(x, y, r, g, b);
    if (dx > dy) {
        int e = dy;
        for (int i = 0; i < dx; ++i) {
            e += dy;
            if (e > dx) {
                e -= dx;
                y += sy;
            }
            x += sx;
            SetPixel(x, y, r, g, b);
        }
    } else {
        int e = dx;
        for (int i = 0; i < dy; ++i) {
            e += dx;
            if (e > dy) {
                e -= dy;
                x += sx;
            }
            y += sy;
            SetPixel(x, y, r, g, b);
        }
    }
}

void DrawCursorCross(int mx, int my) {
    DrawLine(mx, my, mx + 5, my, 255, 255, 255);
    DrawLine(mx, my, mx, my + 5, 255, 255, 255);
    DrawLine(mx, my, mx - 5, my, 255, 255, 255);
    DrawLine(mx, my, mx, my - 5, 255, 255, 255);
}

// Small-font glyphs: a width digit, a spare digit, six '0's, then rows of 8 cells.
constexpr int SmallRowCells = 8, SmallRowsDrawn = 9;
constexpr size_t SmallGlyphMinLength = SmallRowCells * (SmallRowsDrawn + 1);   // through row 9
constexpr int BlankAdvance = 3;   // the blank glyph's width 2, plus the gap

void DrawSmallText(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    int pen = x;
    for (const char* p = TextBuffer; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        const char* glyph = c < 128 ? SmallFont[c] : nullptr;
        // Entries that hold no glyph (codes 96 and 128..255) draw nothing and advance as a blank.
        if (!glyph || std::strlen(glyph) < SmallGlyphMinLength || glyph[0] < '1' || glyph[0] > '7') {
            pen += BlankAdvance;
            continue;
        }
        int width = glyph[0] - '0';
        for (int row = 1; row <= SmallRowsDrawn; ++row)
            for (int column = 0; column < width; ++column)
                if (glyph[SmallRowCells * row + column] != '0') SetPixel(pen + column, y - row + 2, r, g, b);
        pen += width + 1;
    }
}

// Big-font glyphs: 13 rows of 10 cells; rows 1..12 and columns 0..7 are drawn.
constexpr int BigRowCells = 10, BigRows = 13, BigAdvance = 8;

void DrawBigText(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    int pen = x;
    for (const char* p = TextBuffer; *p; ++p) {
        const char* glyph = BigFont[static_cast<unsigned char>(*p)];
        if (glyph && std::strlen(glyph) == static_cast<size_t>(BigRowCells * BigRows)) {
            for (int row = 1; row < BigRows; ++row)
                for (int column = 0; column < 8; ++column)
                    if (glyph[BigRowCells * row + column] != '0') SetPixel(pen + column, y - row, r, g, b);
        }
        pen += BigAdvance;
    }
}
