// The player's settings that stay from one run to the next: the window
// scale, fullscreen and the frame-rate limit, kept in a small text file in
// the player's configuration folder (settings.ini there).
#pragma once

#include <cstddef>
#include <string>

#include "core/pacing.h"

struct GameSettings {
    int scale = 2;                 // 1..4, the window scale (F1..F4)
    int fullscreen = 0;            // 0 or 1 (F11)
    int fps = DefaultFrameRate;    // the frame-rate limit: 0 (none) or 30..240
};

// What the settings file holds, the defaults where it holds nothing usable.
// Written by LoadSettings and, when the player changes a setting, by
// KeepChangedSettings; the command line never reaches it.
extern GameSettings Settings;
// True once the file was read at start (never with --no-settings): only then
// are changes written back.
extern bool settingsKept;

// Reads the text of a settings file, "key=value" lines, over the defaults in
// *out. Blank lines and lines starting with '#' or ';' are skipped; spaces
// around keys and values, a UTF-8 byte-order mark and CR line ends are
// allowed. Each other line that cannot be used (no '=', an unknown key, a
// value out of range) is left out and named in *ignored, quoted and
// separated by ", "; *ignored is empty when every line was used.
void ParseSettings(const char* text, size_t length, GameSettings* out, std::string* ignored);

// The text of a settings file that holds these settings.
std::string FormatSettings(const GameSettings& settings);

// The settings file's game name (an absolute host path); false when the
// player has no configuration folder.
bool SettingsFilePath(char* out, size_t outSize);

// Settings = the defaults, then whatever the settings file holds. A missing
// file says nothing; anything that could not be used (a line, or the whole
// file when it is damaged, a folder or unreadable) gives one line on stderr.
// Sets settingsKept.
void LoadSettings();

// Writes Settings into the settings file, making its folder on the first
// write. The text goes into a temporary file beside it that replaces the
// old one only once it is complete on disk: a crash leaves the old file or
// the new one. False after one line on stderr.
bool SaveSettings();

// At start, before the window opens: unless --no-settings, LoadSettings;
// then windowScale, fullscreenOn and FrameRateLimit from the command line
// where it names them (--scale starts in a window at that scale), else from
// Settings. Remembers the run's values for KeepChangedSettings.
void StartSettings();

// Once a frame, after the window keys: a window scale, fullscreen or
// frame-rate limit that changed since the last look is stored in Settings
// and, when settingsKept, written. A fullscreen start that fell back to a
// window counts as such a change, so the next start does not fail again.
void KeepChangedSettings();
