// Whether a window's swaps really wait for the display, decided the same way
// by every back end that shows a real window.
#pragma once

#include <cstdint>

// Times a few swaps of an empty picture back to back (clearAndSwap clears
// and swaps once) on a display of refreshHz. Returns the refresh period in
// ns the swaps are tied to, or 0 when they do not wait for it (software
// OpenGL on a virtual display accepts a swap interval and never waits) or
// the rate is unknown (refreshHz <= 0).
int64_t TimeSwapRefresh(int refreshHz, void (*clearAndSwap)());
