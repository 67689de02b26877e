// Frame pacing: the loop never runs faster than the rate its per-frame
// motion was tuned for, whatever the display's refresh or the driver's vsync.
#pragma once

#include <cstdint>

constexpr int DefaultFrameRate = 60;
constexpr int MinFrameRate = 30, MaxFrameRate = 240;

extern int FrameRateLimit;        // frames a second at most; 0 = no limit. 60 at start, set by --fps
extern int64_t nextFrameDeadline; // clock time (ns) the current frame may not end before; 0 = not started

// Waits out what is left of the current frame's share of a second, then
// sets the next frame's deadline. Deadlines follow one another a period
// apart, so a frame that ran a little late is made up by the next and the
// rate holds on average; after a long stall (a key pause, a save) the
// schedule starts afresh instead of rushing to catch up.
void PaceFrame();

// Forgets the schedule: the next PaceFrame starts a new one.
void ResetPacing();

// Whether a --fps value is allowed: 0 or MinFrameRate..MaxFrameRate.
bool ValidFrameRate(long rate);
