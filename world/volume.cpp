#include "world/volume.h"

uint8_t* World = nullptr;
uint8_t* Flagmap = nullptr;

static uint32_t worldRevision = 0;   // counts the write accesses handed out; wraps

uint8_t* WritableWorld() {
    ++worldRevision;
    return World;
}

uint8_t* WritableFlagmap() {
    ++worldRevision;
    return Flagmap;
}

uint32_t WorldRevision() { return worldRevision; }
