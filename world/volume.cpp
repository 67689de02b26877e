#include "world/volume.h"

uint8_t* World = nullptr;
uint8_t* Flagmap = nullptr;

int SX = 0;
int SY = 0;
int SZ = 0;
int worldRevision = 0;
