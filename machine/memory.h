// Long-lived allocations with a clean way out: when the memory is not there,
// the registered teardown releases what was made so far and the program stops
// with a message on stderr and exit status 1. Knows nothing of the game.
#pragma once

#include <cstddef>

// Allocates bytes, zero-filled when asked; never returns null.
void* AllocOrQuit(size_t bytes, bool zeroFill, const char* what);

// What AllocOrQuit runs before it ends the program (start-up registers its teardown).
void SetOutOfMemoryTeardown(void (*teardown)());

// Test hook: makes the allocation with this 1-based count (from now) fail; 0 turns it off.
void FailAllocationAfter(int count);
