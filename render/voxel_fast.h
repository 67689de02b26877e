// The fast renderer: the same faces, panels and markers as the immediate-mode
// renderer, kept between frames in blocks of 8 x 8 x 8 cells. Each frame the
// blocks that can reach the view are gathered into one vertex array per
// texture and drawn with one call each; a block is collected again only when
// the part of it inside the MVD cube or the world has changed.
#pragma once

extern bool viewCulling;   // skip blocks outside the view and faces no line of sight reaches; on by default, turned off only by tests and benchmarks

void DrawVisibleCellsFast();

// Forgets every kept block, so the next frame collects what it draws afresh.
void InvalidateFaceList();

// Blocks collected since the program started: how much a frame had to re-collect.
extern long long collectedBlocks;
