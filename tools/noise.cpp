// Deterministic texture noise: an integer hash (no library random numbers,
// so every run writes the same bytes) and smooth value noise built on it.
#include "tools/art.h"

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

namespace {

int Lattice(int gx, int gy, int cells, uint32_t seed) {
    gx = ((gx % cells) + cells) % cells;
    gy = ((gy % cells) + cells) % cells;
    return int(Hash(uint32_t(gx), uint32_t(gy), seed) & 255);
}

// Smoothstep weight in 1/256ths, so that neighbouring lattice cells join
// without visible creases.
int Ease(int t256) { return t256 * t256 * (768 - 2 * t256) / 65536; }

}  // namespace

int ValueNoise(int x, int y, int cell, int period, uint32_t seed) {
    const int cells = period / cell > 0 ? period / cell : 1;
    const int gx = (x >= 0 ? x : x - cell + 1) / cell, gy = (y >= 0 ? y : y - cell + 1) / cell;
    const int fx = Ease((x - gx * cell) * 256 / cell), fy = Ease((y - gy * cell) * 256 / cell);
    const int a = Lattice(gx, gy, cells, seed), b = Lattice(gx + 1, gy, cells, seed);
    const int c = Lattice(gx, gy + 1, cells, seed), d = Lattice(gx + 1, gy + 1, cells, seed);
    const int top = a * (256 - fx) + b * fx, bottom = c * (256 - fx) + d * fx;
    return (top * (256 - fy) + bottom * fy) / 65536;
}

int FractalNoise(int x, int y, int cell, int period, uint32_t seed) {
    int sum = 0, weight = 0, amplitude = 16;
    for (int size = cell; size >= 2 && amplitude > 0; size /= 2, amplitude /= 2) {
        sum += ValueNoise(x, y, size, period, seed + uint32_t(size)) * amplitude;
        weight += amplitude;
    }
    return sum / weight;
}
