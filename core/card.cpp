// The F9 card: a darkened panel over the middle of the view, between the
// banner and the HUD lines, with the controls in the small font, the seed
// and the frame counter; and the ring of frame starts the counter reads.
#include "core/card.h"

#include <algorithm>
#include <cstdio>

#include "core/shaping.h"
#include "machine/platform.h"
#include "platform/input.h"
#include "render/overlay.h"

int cardShown = 0;

namespace {

constexpr int64_t NsPerSecond = 1000000000;
// Figures that change every frame cannot be read: they are measured afresh this often.
constexpr int64_t RefreshNs = NsPerSecond / 2;
constexpr int CardPause = 300;   // as F11: one press shows or hides the card once

// The latest frame starts. An unlimited frame rate may pass this many a
// second; the rate is still right then (frames over their total time), the
// median and the largest come from the latest RingSize - 1 frames.
constexpr int RingSize = 4096;
int64_t frameStarts[RingSize];
uint64_t framesRecorded = 0;
int64_t frameTimes[RingSize];   // MeasureFrames' work space, kept so that it allocates nothing

FrameStats shownStats{};
int64_t shownAt = -1;   // clock time of the figures on the card; -1: measure at the next draw

// The controls, shortened from the README's table to fit the small font.
struct CardRow {
    const char* keys;
    const char* action;
};

constexpr CardRow CardRows[] = {
    {"left click", "walk on / stop"},
    {"right click", "mouse look on / off"},
    {"Z (held)", "walk backward"},
    {"keypad + / -", "one layer down / up"},
    {"] / [", "view distance up / down"},
    {"F5 F6 / F7 F8", "save / load slot 1, 2"},
    {"F1..F4", "window 1x..4x"},
    {"F11", "fullscreen on / off"},
    {"F12", "screenshot"},
    {"M", "window to the pointer"},
    {"Tab", "console"},
    {"F9", "show / hide this card"},
    {"Escape", "quit"},
};

// The panel lies between the banner (its lowest pixel row is 214) and the
// objective line (its highest is 45); text rows are 10 pixels apart.
constexpr int CardLeft = 8, CardRight = 311, CardBottom = 49, CardTop = 209;
constexpr int TextLeft = 16, ActionLeft = 100, SeedLeft = 220;
constexpr int TitleY = 200, FirstRowY = 188, RowPitch = 10;
constexpr uint8_t Yellow[3] = {255, 255, 0};
constexpr uint8_t White[3] = {255, 255, 255};

void Text(int x, int y, const uint8_t* colour) { DrawSmallText(x, y, colour[0], colour[1], colour[2]); }

// A quarter of the view's brightness under the card, so that the text stands out.
void DarkenPanel() {
    for (int y = CardBottom; y <= CardTop; ++y)
        for (int x = CardLeft; x <= CardRight; ++x) {
            uint8_t* p = &OverlayBuffer[4 * (static_cast<size_t>(y) * OverlayWidth + x)];
            p[0] >>= 2, p[1] >>= 2, p[2] >>= 2;
        }
    DrawLine(CardLeft, CardBottom, CardRight, CardBottom, Yellow[0], Yellow[1], Yellow[2]);
    DrawLine(CardLeft, CardTop, CardRight, CardTop, Yellow[0], Yellow[1], Yellow[2]);
    DrawLine(CardLeft, CardBottom, CardLeft, CardTop, Yellow[0], Yellow[1], Yellow[2]);
    DrawLine(CardRight, CardBottom, CardRight, CardTop, Yellow[0], Yellow[1], Yellow[2]);
}

}  // namespace

void RecordFrameStart() {
    frameStarts[framesRecorded % RingSize] = PlatformClockNs();
    ++framesRecorded;
}

void ResetFrameTimes() {
    framesRecorded = 0;
    shownAt = -1;
}

FrameStats MeasureFrames() {
    FrameStats stats{};
    const uint64_t held = std::min<uint64_t>(framesRecorded, RingSize);
    if (held < 2) return stats;
    auto start = [](uint64_t back) { return frameStarts[(framesRecorded - 1 - back) % RingSize]; };
    const int64_t latest = start(0);
    int64_t total = 0;
    int n = 0;
    // Each frame time ends at a frame start; those that end within the last second count.
    for (uint64_t back = 0; back + 1 < held && latest - start(back) < NsPerSecond; ++back) {
        const int64_t t = start(back) - start(back + 1);
        frameTimes[n++] = t;
        total += t;
        stats.largestNs = std::max(stats.largestNs, t);
    }
    stats.frames = n;
    if (total > 0) stats.perSecond = static_cast<int>((static_cast<int64_t>(n) * NsPerSecond + total / 2) / total);
    std::nth_element(frameTimes, frameTimes + n / 2, frameTimes + n);
    stats.medianNs = frameTimes[n / 2];
    if (n % 2 == 0) stats.medianNs = (stats.medianNs + *std::max_element(frameTimes, frameTimes + n / 2)) / 2;
    return stats;
}

void FormatFrameLine(const FrameStats& stats, char* out, size_t outSize) {
    std::snprintf(out, outSize, "%d frames a second, frame time %.1f ms median, %.1f ms largest", stats.perSecond,
                  static_cast<double>(stats.medianNs) / 1e6, static_cast<double>(stats.largestNs) / 1e6);
}

void DrawControlsCard() {
    if (!cardShown) return;
    const int64_t now = PlatformClockNs();
    if (shownAt < 0 || now - shownAt >= RefreshNs || now < shownAt) {
        shownStats = MeasureFrames();
        shownAt = now;
    }
    DarkenPanel();
    FormatText("Controls");
    Text(TextLeft, TitleY, Yellow);
    FormatText("Seed %u", static_cast<unsigned>(worldSeed));
    Text(SeedLeft, TitleY, Yellow);
    int y = FirstRowY;
    for (const CardRow& row : CardRows) {
        FormatText("%s", row.keys);
        Text(TextLeft, y, Yellow);
        FormatText("%s", row.action);
        Text(ActionLeft, y, White);
        y -= RowPitch;
    }
    FormatFrameLine(shownStats, TextBuffer, sizeof TextBuffer);
    Text(TextLeft, y, White);
}

void HandleCardKey() {
    if (!KeyDown(Key::F9)) return;
    cardShown = 1 - cardShown;
    shownAt = -1;   // fresh figures as it opens
    PlatformSleep(CardPause);
}
