// Drawing into the OverlayBuffer: pixels, lines, the mouse cross and the two
// bitmap fonts. Every pixel goes through SetPixel, which clips to the buffer.
#pragma once

#include <cstdint>

constexpr int TextBufferSize = 256;
extern char TextBuffer[TextBufferSize];   // the shared text line the text drawers draw

// Formats into the TextBuffer, printf-style; the result is cut to fit, never overflows.
void FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

void SetPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b);
void DrawLine(int x1, int y1, int x2, int y2, uint8_t r, uint8_t g, uint8_t b);
void DrawCursorCross();
void DrawSmallText(int x, int y, uint8_t r, uint8_t g, uint8_t b);
void DrawBigText(int x, int y, uint8_t r, uint8_t g, uint8_t b);
