// Drawing into the OverlayBuffer: pixels, lines, the mouse cross and the two
// bitmap fonts. Every pixel goes through SetPixel, which clips to the buffer.
#pragma once

#include <cstdint>

// The 3D view is always rendered and read back at this size; the overlay
// matches it for the whole run, and the window only zooms the picture.
constexpr int ViewWidth = 320, ViewHeight = 240;

extern int OverlayWidth;             // 320; written only by SetOverlaySize
extern int OverlayHeight;            // 240; written only by SetOverlaySize
extern uint8_t* OverlayBuffer;       // OverlayWidth x OverlayHeight RGBA pixels, row 0 at the bottom
extern uint8_t* ReadbackBuffer;      // the 3D view read back, ViewWidth x ViewHeight pixels of 4 bytes (RGBA) or packed 3 (RGB)

// Sets the overlay size and hands out a fresh overlay and read-back buffer.
void SetOverlaySize(int width, int height);

// Releases both buffers; safe when they were never made.
void ReleaseOverlay();

constexpr int TextBufferSize = 256;
extern char TextBuffer[TextBufferSize];   // the shared text line the text drawers draw

// Formats into the TextBuffer, printf-style; the result is cut to fit, never overflows.
void FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

void SetPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b);
void DrawLine(int x1, int y1, int x2, int y2, uint8_t r, uint8_t g, uint8_t b);
// The mouse cross centred on overlay pixel (x, y).
void DrawCursorCross(int x, int y);
void DrawSmallText(int x, int y, uint8_t r, uint8_t g, uint8_t b);
void DrawBigText(int x, int y, uint8_t r, uint8_t g, uint8_t b);
