// Frame clear, presentation of the OverlayBuffer and the cube textures.
#pragma once

#include <GL/gl.h>

constexpr int CubeTextureCount = 32;
extern GLuint CubeTextures[CubeTextureCount];   // entry n is the texture of cell value n; made per context by CreateCubeTextures

// Clears colour and depth, loads the identity model-view matrix, zeroes the OverlayBuffer.
void BeginFrame();

// Draws the OverlayBuffer over the window, zoomed by windowScale, and swaps.
void PresentFrame();

// How PresentFrame puts the picture on the window; both give the same pixels.
// The zoomed glDrawPixels is the slowest path of software OpenGL, so the
// picture goes up as a texture on one quad unless a test or benchmark asks.
enum class PresentPath { Texture, DrawPixels };
extern PresentPath presentPath;   // the texture by default

// Where the picture lands: an integer zoom and the window pixel of its
// bottom-left corner, inside a window of the given size (the rest is black).
struct PresentPlacement {
    int scale;
    int left, bottom;
    int windowWidth, windowHeight;
};
PresentPlacement CurrentPlacement();

struct ImageSlot;

// Whether a picture can be uploaded as a square texture without reading past
// its pixels: square, a power-of-two side, pixels present (and not 2 wide,
// whose rows the default unpack alignment would take as 8 bytes).
bool UploadableSquare(const ImageSlot& image);

// Makes the 32 cube textures from the cube slots of the ImageTable; always true.
bool CreateCubeTextures();
