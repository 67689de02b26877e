// Drawing primitives for the generator's pictures. Shapes are sampled at
// pixel centres without anti-aliasing: the pictures are small pixel art and
// hard edges keep them crisp when the game shows them enlarged.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/art.h"

namespace {

uint8_t Clamp(int v) { return uint8_t(std::clamp(v, 0, 255)); }

bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

int Distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

}  // namespace

void NewCanvas(Canvas& c, int width, int height, Rgb fill) {
    c.width = width;
    c.height = height;
    c.rgb.assign(size_t(width) * height * 3, 0);
    FillRect(c, 0, 0, width - 1, height - 1, fill);
}

Rgb GetPixel(const Canvas& c, int x, int y) {
    x = std::clamp(x, 0, c.width - 1);
    y = std::clamp(y, 0, c.height - 1);
    const uint8_t* p = &c.rgb[(size_t(y) * c.width + x) * 3];
    return {p[0], p[1], p[2]};
}

void SetPixel(Canvas& c, int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return;
    uint8_t* p = &c.rgb[(size_t(y) * c.width + x) * 3];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void BlendPixel(Canvas& c, int x, int y, Rgb colour, int alpha) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return;
    alpha = std::clamp(alpha, 0, 255);
    uint8_t* p = &c.rgb[(size_t(y) * c.width + x) * 3];
    p[0] = uint8_t((p[0] * (255 - alpha) + colour.r * alpha) / 255);
    p[1] = uint8_t((p[1] * (255 - alpha) + colour.g * alpha) / 255);
    p[2] = uint8_t((p[2] * (255 - alpha) + colour.b * alpha) / 255);
}

void FillRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = std::max(y0, 0); y <= std::min(y1, c.height - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, c.width - 1); ++x) SetPixel(c, x, y, colour);
}

void FrameRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour) {
    FillRect(c, x0, y0, x1, y0, colour);
    FillRect(c, x0, y1, x1, y1, colour);
    FillRect(c, x0, y0, x0, y1, colour);
    FillRect(c, x1, y0, x1, y1, colour);
}

void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Rgb colour) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) SetPixel(c, x, y, colour);
        }
}

void FillBall(Canvas& c, float cx, float cy, float rx, float ry, Rgb colour) {
    if (rx <= 0 || ry <= 0) return;
    // Light from the upper left and slightly in front, as in most item art.
    const float lx = -0.48f, ly = -0.6f, lz = 0.64f;
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) continue;
            const float nz = std::sqrt(1.0f - d2);
            const float light = std::max(0.0f, dx * lx + dy * ly + nz * lz);
            SetPixel(c, x, y, Shade(colour, int(45 + 85 * light)));
        }
}

void DrawLine(Canvas& c, float x0, float y0, float x1, float y1, float thickness, Rgb colour) {
    const float half = thickness / 2;
    const float vx = x1 - x0, vy = y1 - y0;
    const float len2 = vx * vx + vy * vy;
    const int minX = int(std::min(x0, x1) - half) - 1, maxX = int(std::max(x0, x1) + half) + 1;
    const int minY = int(std::min(y0, y1) - half) - 1, maxY = int(std::max(y0, y1) + half) + 1;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? (px * vx + py * vy) / len2 : 0;
            t = std::clamp(t, 0.0f, 1.0f);
            const float ex = px - t * vx, ey = py - t * vy;
            if (ex * ex + ey * ey <= half * half) SetPixel(c, x, y, colour);
        }
}

void FillPolygon(Canvas& c, const std::vector<float>& points, Rgb colour) {
    const size_t n = points.size() / 2;
    if (n < 3) return;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const float xi = points[2 * i], yi = points[2 * i + 1];
                const float xj = points[2 * j], yj = points[2 * j + 1];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
            }
            if (inside) SetPixel(c, x, y, colour);
        }
}

void Outline(Canvas& c, Rgb background, Rgb outline) {
    const Canvas before = c;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (!Same(GetPixel(before, x, y), background)) continue;
            bool touches = false;
            for (int k = 0; k < 4 && !touches; ++k) {
                const int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                if (nx < 0 || ny < 0 || nx >= c.width || ny >= c.height) continue;
                // A faint glow over the background is not an object edge.
                touches = Distance(GetPixel(before, nx, ny), background) > 40;
            }
            if (touches) SetPixel(c, x, y, outline);
        }
}

void Glow(Canvas& c, float cx, float cy, float radius, Rgb colour, int strength) {
    for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
        for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float d = std::sqrt(dx * dx + dy * dy) / radius;
            if (d < 1.0f) BlendPixel(c, x, y, colour, int(strength * (1 - d) * (1 - d)));
        }
}

Rgb Shade(Rgb colour, int percent) {
    return {Clamp(colour.r * percent / 100), Clamp(colour.g * percent / 100), Clamp(colour.b * percent / 100)};
}

Rgb Mix(Rgb a, Rgb b, int percentOfB) {
    const int p = std::clamp(percentOfB, 0, 100);
    return {Clamp((a.r * (100 - p) + b.r * p) / 100), Clamp((a.g * (100 - p) + b.g * p) / 100),
            Clamp((a.b * (100 - p) + b.b * p) / 100)};
}
