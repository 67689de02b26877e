#include "world/overworld.h"

#include <cstdio>

#include "machine/platform.h"
#include "world/volume.h"

void LoadOverworld(int number) {
    char name[64];
    std::snprintf(name, sizeof name, ".\\map\\%d.overworld", number);
    // Read-only; missing, it is created empty only where the data folder is writable.
    int file = OpenForReading(name);
    if (file < 0) return;
    // One read straight into layer 0; whatever arrives is kept, the rest of the layer stays.
    FileRead(file, World, PlaneSize);
    FileClose(file);
    PlatformSleep(1000);
}
