// The cube's faces and the panel as data, shared by both renderers.
#pragma once

#include <cstdint>

struct FaceVertex {
    float s, t;       // texture coordinates
    float x, y, z;    // corner of a cube of half-size 1 around the cell's origin
};

struct FaceQuad {
    int neighbour[3];   // the world cell (dx, dy, dz) whose value decides whether the face shows
    float normal[3];
    FaceVertex vertices[4];
};

// Model axes: x follows world x, y is world y reversed, z follows world z (downward).
constexpr FaceQuad CubeFaces[6] = {
    {{0, 0, 1}, {0, 0, 1}, {{0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, 1, 1}, {0, 0, -1, 1, 1}}},
    {{0, 0, -1}, {0, 0, -1}, {{1, 1, -1, -1, -1}, {1, 0, -1, 1, -1}, {0, 0, 1, 1, -1}, {0, 1, 1, -1, -1}}},
    {{0, -1, 0}, {0, 1, 0}, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {{0, 1, 0}, {0, -1, 0}, {{1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}}},
    {{1, 0, 0}, {1, 0, 0}, {{0, 1, 1, -1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, 1, 1}, {0, 0, 1, -1, 1}}},
    {{-1, 0, 0}, {-1, 0, 0}, {{0, 1, -1, -1, -1}, {0, 0, -1, -1, 1}, {1, 0, -1, 1, 1}, {1, 1, -1, 1, -1}}},
};

// A panel stands on the cell's diagonal from its low-x, low-y edge to its high-x, high-y edge.
constexpr FaceQuad PanelQuad = {
    {0, 0, 0}, {0, 1, 0}, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, -1, 1}, {1, 1, 1, -1, -1}}};

constexpr float MarkerHalfSize = 0.7f;   // an objective's cube, inside the cell's own 0.5 scale

// Whether face f shows against a neighbour of value n: the vertical faces
// (the first two) see through a panel, the horizontal ones do not.
inline bool FaceShows(int f, uint8_t n) { return n == 0 || (f < 2 && n == 4); }
