// Frame clear and the presentation of the OverlayBuffer.
#pragma once

#include <GL/gl.h>

// Clears colour and depth, loads the identity model-view matrix, zeroes the OverlayBuffer.
void BeginFrame();

// Draws the OverlayBuffer over the window, zoomed by windowScale, and swaps:
// FinishPicture, then ShowPicture.
void PresentFrame();
// The two halves, for the frame loop, which waits for its deadline between
// them: the picture drawn over the window and finished (glFinish), then the swap.
void FinishPicture();
void ShowPicture();

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
