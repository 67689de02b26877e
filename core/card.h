// The F9 card over the 3D view: the controls, this world's seed and the
// frame counter (frames a second, the median and largest frame time over
// the last second). It is drawn into the OverlayBuffer like the HUD, so
// screenshots show it, and the game goes on running under it.
#pragma once

#include <cstddef>
#include <cstdint>

extern int cardShown;   // 1 while the card is drawn; toggled by F9

// The frames that started within the last second before the latest one:
// how many, the rate they ran at, and the time between frame starts.
struct FrameStats {
    int frames;          // frame times measured (the starts in the last second)
    int perSecond;       // frames / their total time, rounded; 0 when none
    int64_t medianNs;    // the middle frame time (the mean of the middle two)
    int64_t largestNs;
};

// Notes the start of a frame on the high-resolution clock; once a frame, no
// allocation (a fixed ring of the latest starts).
void RecordFrameStart();

// Forgets every recorded frame.
void ResetFrameTimes();

// The frame times of the last second, from the recorded starts.
FrameStats MeasureFrames();

// The card's frame-counter line for these figures, into out.
void FormatFrameLine(const FrameStats& stats, char* out, size_t outSize);

// Draws the card into the OverlayBuffer while cardShown; the figures are
// measured afresh twice a second, so that they can be read.
void DrawControlsCard();

// F9: shows or hides the card, then pauses like the other toggles.
void HandleCardKey();
