// Screenshots: the picture on screen (the OverlayBuffer with its HUD, zoomed
// by the present scale with nearest-neighbour) as a PNG file named by the
// local date and time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The folder screenshots go to, as a game file name; created on first use.
const char* ScreenshotFolder();

// "2026-12-07_14-03-22" for the calendar time `seconds`, in local time;
// attempt 1 is the plain name, later attempts add "_2", "_3"... Written into out.
void ScreenshotName(int64_t seconds, int attempt, char* out, size_t outSize);

// Writes the OverlayBuffer zoomed `scale` times into the screenshot folder
// under a name nothing has taken yet. On failure prints one line to stderr
// and returns false; the game goes on either way. The written file's game
// name is kept in *written when given.
bool SaveScreenshot(int scale, std::string* written = nullptr);
