// The game's random numbers: the classic C runtime generator, carried here
// so that one seed grows the same dungeon on every platform (never the host's rand).
#pragma once

#include <cstdint>

extern uint32_t randomState;   // the generator's state; written by SRand and Rand

// Seeds the generator (the runtime's srand).
void SRand(uint32_t seed);

// The next draw, 0..32767 (the runtime's rand): state = state * 214013 + 2531011.
int Rand();

// Rand() modulo n; n > 0.
inline int RandomBelow(int n) { return Rand() % n; }
