// Shaping the World around the dungeon plan: the rock and the sky, the
// surface from the terrain layer, the carved dungeon, the shafts and the
// objectives.
#pragma once

#include <cstdint>

// Rock fill, sky, surface pass and carving pass, in that order.
void ShapeWorld();

// 1,000 tries to sink a 2 x 2 shaft through layers 28..38 where layer 39 is open.
void ShaftPass();

// Scatters objectivesTotal (rand % 21) objectives into the Flagmap on empty,
// distinct cells; gives up after 1,000,002 draws.
void ObjectivePass();

// Everything start-up does after the overworld is read: seed, fresh generator
// buffers, the dungeon plan, shaping, the player's start, shafts, objectives
// and the run variables.
void BuildWorld(uint32_t seed);

extern uint32_t worldSeed;   // the seed BuildWorld last built the world from (the F9 card shows it)
