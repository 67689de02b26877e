// Frame clear, presentation of the OverlayBuffer and the cube textures.
#pragma once

#include <GL/gl.h>

constexpr int CubeTextureCount = 32;
extern GLuint CubeTextures[CubeTextureCount];   // entry n is the texture of cell value n; made per context by CreateCubeTextures

// Clears colour and depth, loads the identity model-view matrix, zeroes the OverlayBuffer.
void BeginFrame();

// Draws the OverlayBuffer over the window, zoomed by windowScale, and swaps.
void PresentFrame();

struct ImageSlot;

// Whether a picture can be uploaded as a square texture without reading past
// its pixels: square, a power-of-two side, pixels present (and not 2 wide,
// whose rows the default unpack alignment would take as 8 bytes).
bool UploadableSquare(const ImageSlot& image);

// Makes the 32 cube textures from the cube slots of the ImageTable; always true.
bool CreateCubeTextures();
