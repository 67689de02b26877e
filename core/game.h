// The frame loop: start-up, one frame, the HUD and the game keys, teardown.
#pragma once

#include "world/run_state.h"   // the run and player state the loop drives

// The whole program: start-up, the loop, teardown. Returns the exit status.
int GameMain();

// Start-up up to the first frame (everything GameMain does before its loop).
// Returns false when the window could not be opened.
bool StartGame();

// One iteration of the frame loop.
void RunFrame();

// The game keys of one frame, in their order, with their pauses.
void HandleGameKeys();

// The four HUD lines.
void DrawHud();

// One progress screen of a save or a load: the text in the big font and the
// percentage under it (none when percent is -1), drawn and presented at once.
void DrawProgressScreen(const char* text, int percent);
