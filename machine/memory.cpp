#include "memory.h"

#include <cstdio>
#include <cstdlib>

static void (*outOfMemoryTeardown)() = nullptr;   // set once by start-up
static int allocationsUntilFailure = 0;           // test hook: > 0 counts down to a refused allocation

void SetOutOfMemoryTeardown(void (*teardown)()) { outOfMemoryTeardown = teardown; }

void FailAllocationAfter(int count) { allocationsUntilFailure = count; }

void* AllocOrQuit(size_t bytes, bool zeroFill, const char* what) {
    bool refused = allocationsUntilFailure > 0 && --allocationsUntilFailure == 0;
    void* p = refused ? nullptr : (zeroFill ? std::calloc(bytes, 1) : std::malloc(bytes));
    if (p) return p;
    std::fprintf(stderr, "Out of memory: could not allocate %zu bytes for %s.\n", bytes, what);
    if (outOfMemoryTeardown) outOfMemoryTeardown();
    std::exit(1);
}
