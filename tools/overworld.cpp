// The terrain plane of map 1. A smooth height field (three octaves of value
// noise on 64-, 32- and 16-cell lattices: hills and valleys, no grain) is cut
// into the game's terrain classes by share of the map, so every class gets a
// sizeable, connected area whatever the noise happens to do:
//
//   lowest 30 %  -> 0..9   low ground (the rock of layer 31 is the surface)
//   next    9 %  -> 10     dirt, a shore ring around every valley
//   next   36 %  -> 11..18 grass
//   top    25 %  -> 19..30 rock
//
// Inside a class the value still follows the height, so neighbouring cells
// differ by one step at most in nearly every place.
#include "tools/art.h"

namespace {

constexpr uint32_t TerrainSeed = 1;
constexpr int HeightLevels = 255 * 13 + 1;   // weights 8 + 4 + 1 of 0..255 noise

// Share of the map (in thousandths) that lies below each class boundary.
constexpr int LowlandShare = 300;
constexpr int DirtShare = 390;
constexpr int GrassShare = 750;

int Height(int x, int y) {
    return ValueNoise(x, y, 64, MapSide, TerrainSeed) * 8 + ValueNoise(x, y, 32, MapSide, TerrainSeed + 1) * 4 +
           ValueNoise(x, y, 16, MapSide, TerrainSeed + 2);
}

// The smallest height with at least `share` thousandths of the map below or at it.
int HeightAtShare(const std::vector<int>& histogram, int share) {
    const long target = long(MapSide) * MapSide * share / 1000;
    long below = 0;
    for (int h = 0; h < HeightLevels; ++h) {
        below += histogram[h];
        if (below >= target) return h;
    }
    return HeightLevels - 1;
}

// Spreads heights lo..hi evenly over the values first..last.
int Scale(int h, int lo, int hi, int first, int last) {
    if (hi <= lo) return first;
    return first + (h - lo) * (last - first) / (hi - lo);
}

}  // namespace

std::vector<uint8_t> MakeOverworld() {
    std::vector<int> heights(size_t(MapSide) * MapSide);
    std::vector<int> histogram(HeightLevels, 0);
    int lowest = HeightLevels, highest = 0;
    for (int y = 0; y < MapSide; ++y)
        for (int x = 0; x < MapSide; ++x) {
            const int h = Height(x, y);
            heights[size_t(y) * MapSide + x] = h;
            ++histogram[h];
            lowest = h < lowest ? h : lowest;
            highest = h > highest ? h : highest;
        }

    const int lowTop = HeightAtShare(histogram, LowlandShare);
    const int dirtTop = HeightAtShare(histogram, DirtShare);
    const int grassTop = HeightAtShare(histogram, GrassShare);

    std::vector<uint8_t> map(heights.size());
    for (size_t i = 0; i < heights.size(); ++i) {
        const int h = heights[i];
        int value;
        if (h <= lowTop) value = Scale(h, lowest, lowTop, 0, 9);
        else if (h <= dirtTop) value = 10;
        else if (h <= grassTop) value = Scale(h, dirtTop + 1, grassTop, 11, 18);
        else value = Scale(h, grassTop + 1, highest, 19, 30);
        map[i] = uint8_t(value);
    }
    return map;
}
