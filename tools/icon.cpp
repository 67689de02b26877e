// The desktop icon: one block of the game's world, grass on top and earth
// and rock on its sides, in the cube textures the game itself shows, drawn
// as an isometric cube on the night sky.
#include "tools/art.h"

namespace {

// One face of the cube as a parallelogram: pixel = origin + u * across + v * down.
struct Face {
    float ox, oy, ax, ay, bx, by;
    const char* texture;
    int shade;   // percent: the sun is above, so the sides are darker
};

// Texture coordinates (u, v) of pixel (x, y) on the face; true when inside it.
bool FaceCoordinates(const Face& f, float x, float y, float* u, float* v) {
    const float det = f.ax * f.by - f.ay * f.bx;
    const float dx = x - f.ox, dy = y - f.oy;
    *u = (dx * f.by - dy * f.bx) / det;
    *v = (f.ax * dy - f.ay * dx) / det;
    return *u >= 0 && *u < 1 && *v >= 0 && *v < 1;
}

}  // namespace

bool DrawIcon(Canvas& icon, int side) {
    NewCanvas(icon, side, side, Rgb{16, 20, 44});
    const float s = side / 64.0f;
    const Face faces[] = {
        {32 * s, 4 * s, 26 * s, 14 * s, -26 * s, 14 * s, "grass3", 110},    // top
        {6 * s, 18 * s, 26 * s, 14 * s, 0, 28 * s, "dirt1", 80},            // left side
        {32 * s, 32 * s, 26 * s, -14 * s, 0, 28 * s, "brickold2", 60},      // right side
    };
    for (const Face& f : faces) {
        Canvas texture;
        if (!PaintPicture("bmp_cube", f.texture, texture)) return false;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                float u, v;
                if (!FaceCoordinates(f, x + 0.5f, y + 0.5f, &u, &v)) continue;
                const Rgb texel = GetPixel(texture, int(u * texture.width), int(v * texture.height));
                SetPixel(icon, x, y, Shade(texel, f.shade));
            }
    }
    return true;
}
