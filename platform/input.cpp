// Polled input in the game's terms: keys by Windows virtual-key code, the
// pointer in overlay pixels from the bottom-left corner, the clock seed.
#include "platform/input.h"

#include "machine/platform.h"
#include "platform/window.h"
#include "render/overlay.h"

int KeyDown(int virtualKey) { return PlatformKeyHeld(virtualKey) ? 1 : 0; }

// distance / span * size in single precision, divide first, then clamped to
// 0..size-1 and truncated. A pointer exactly on the exclusive right or top
// edge gives size and is clamped to the last pixel. The span is the
// picture's: the window, or in fullscreen the part between the black bars.
static int OverlayCoordinate(int distance, int span, int size) {
    if (span <= 0) return 0;   // a collapsed window has no pixels to point at
    float f = static_cast<float>(distance) / static_cast<float>(span);
    f = f * static_cast<float>(size);
    if (f < 0.0f) return 0;
    if (f > static_cast<float>(size - 1)) return size - 1;
    return static_cast<int>(f);
}

int MouseX() {
    int left, top, right, bottom;
    if (!PictureRect(&left, &top, &right, &bottom)) return 0;
    int px = 0, py = 0;
    PlatformPointer(&px, &py);
    return OverlayCoordinate(px - left, right - left, OverlayWidth);
}

int MouseY() {
    int left, top, right, bottom;
    if (!PictureRect(&left, &top, &right, &bottom)) return 0;
    int px = 0, py = 0;
    PlatformPointer(&px, &py);
    // Rows count upward from the bottom edge, like the rows of the OverlayBuffer.
    return OverlayCoordinate(bottom - py, bottom - top, OverlayHeight);
}

uint32_t TimeSeed() { return static_cast<uint32_t>(PlatformTimeSeconds()); }
