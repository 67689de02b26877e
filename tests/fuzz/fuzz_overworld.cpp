// Any bytes as overworld map 1: the terrain layer takes at most 65,536 of them.
#include <cstring>

#include "fuzz_common.h"
#include "world/overworld.h"
#include "world/volume.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzGame(false);
    std::memset(World, 0, 2 * PlaneSize);
    WriteFileBytes("map/1.overworld", data, size);
    LoadOverworld(1);
    size_t kept = size < static_cast<size_t>(PlaneSize) ? size : PlaneSize;
    if (std::memcmp(World, data, kept) != 0) std::abort();
    for (int i = 0; i < PlaneSize; ++i)
        if (World[PlaneSize + i] != 0) std::abort();   // nothing past layer 0
    return 0;
}
