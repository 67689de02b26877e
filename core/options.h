// The command line: what the player may choose when starting the game.
#pragma once

#include <cstdint>
#include <cstdio>

struct GameOptions {
    const char* dataFolder = nullptr;   // --data DIR, or nullptr to look for the data
    bool seedGiven = false;             // --seed N was given: the world comes from it, not the clock
    uint32_t seed = 0;                  // that seed
    int scale = 2;                      // --scale 1..4: the first window scale
    bool scaleGiven = false;            // --scale was given: it wins over the settings file for this run
    bool noSettings = false;            // --no-settings: the default settings, the settings file neither read nor written
    // --fps N: 0 (no limit) or 30..240, kept for the frame pacing; -1 when
    // not given, so the pacing keeps its own default.
    int fps = -1;
};

extern GameOptions Options;   // written once by ParseOptions before start-up, read by start-up

constexpr int KeepRunning = -1;   // ParseOptions: start the game

// Reads the command line into Options. Returns KeepRunning, or the status the
// program should exit with at once: 0 after --help or --version (written to
// out), 2 after a bad option or value (a message and the usage to err).
int ParseOptions(int argc, char** argv, std::FILE* out, std::FILE* err);

// The usage text, one option a line.
void PrintUsage(std::FILE* to);
