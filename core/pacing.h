// Frame pacing: the loop never runs faster than the rate its per-frame
// motion was tuned for, and the pictures reach the screen one period apart
// whatever each frame's work: the wait sits between the finished picture and
// its swap.
#pragma once

#include <cstdint>

constexpr int DefaultFrameRate = 60;
constexpr int MinFrameRate = 30, MaxFrameRate = 240;

extern int FrameRateLimit;        // frames a second at most; 0 = no limit. 60 at start, set by --fps
extern int64_t nextFrameDeadline; // clock time (ns) the current frame's swap may not start before; 0 = not started

// Shows a finished picture on the beat: waits out what is left of the
// frame's share of a second, calls `swap`, then sets the next deadline.
// Deadlines follow one another a period apart, so a frame that ran a little
// late is made up by the next and the rate holds on average; after a long
// stall (a key pause, a save) the schedule starts afresh instead of rushing
// to catch up. Where the swap itself waits for the display and the period is
// a whole number of the display's refreshes, the display sets the beat: each
// deadline falls a little before the refresh the swap will wait for, so the
// two waits never add up to a skipped refresh. With no limit it only swaps.
void PaceAndSwap(void (*swap)());

// Forgets the schedule: the next PaceAndSwap starts a new one.
void ResetPacing();

// Whether a --fps value is allowed: 0 or MinFrameRate..MaxFrameRate.
bool ValidFrameRate(long rate);
