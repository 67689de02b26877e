// Any slot on disk, loaded: the input decides each file's presence and size
// and the bytes of the variables file and the player's record. A slot either
// loads values the game can run with or changes nothing.
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fuzz_common.h"
#include "render/camera.h"
#include "world/savegame.h"
#include "world/volume.h"

namespace {

const char* const Names[4] = {"map/SAVEGAME1.mainmap", "map/SAVEGAME1.flagmap", "map/SAVEGAME1.unit",
                              "map/SAVEGAME1.variables"};
const long long Sizes[4] = {VolumeFileSize, VolumeFileSize, UnitFileSize, VariablesFileSize};

// Lays a file of `size` bytes whose first bytes are `head` (the rest zero).
void LayFile(const char* path, long long size, const uint8_t* head, size_t headSize) {
    FILE* f = std::fopen(path, "wb");
    if (!f) std::abort();
    size_t n = headSize < static_cast<size_t>(size) ? headSize : static_cast<size_t>(size);
    if (n && std::fwrite(head, 1, n, f) != n) std::abort();
    std::fclose(f);
    if (truncate(path, size) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzGame(true);
    if (size < 1) return 0;
    // Byte 0: bit f set drops file f; bit 4 + f makes it one byte short.
    uint8_t shape = data[0];
    ++data, --size;
    std::vector<uint8_t> unitHead(UnitFileSize > 2 * 704 ? 2 * 704 : 0);
    size_t variablesBytes = size < 32 ? size : 32;
    const uint8_t* variables = data;
    const uint8_t* player = data + variablesBytes;
    size_t playerBytes = size - variablesBytes < 704 ? size - variablesBytes : 704;
    std::memcpy(unitHead.data() + 704, player, playerBytes);
    for (int f = 0; f < 4; ++f) {
        std::remove(Names[f]);
        if (shape & (1 << f)) continue;
        long long fileSize = Sizes[f] - ((shape >> (4 + f)) & 1);
        if (f == 3) LayFile(Names[f], fileSize, variables, variablesBytes);
        else if (f == 2) LayFile(Names[f], fileSize, unitHead.data(), unitHead.size());
        else LayFile(Names[f], fileSize, nullptr, 0);
    }

    cycleStep = 2, MVD = 6, SX = 64, SY = 64, SZ = 39, objectivesTotal = 3, objectivesFound = 1;
    LoadGame(1, DrawProgressScreen);
    bool sane = cycleStep >= 1 && cycleStep <= 36 && MVD >= 1 && MVD <= 30 && InsideVolume(SX, SY, SZ) &&
                objectivesTotal >= 0 && objectivesTotal <= 20 && objectivesFound >= 0 && objectivesFound <= objectivesTotal;
    for (float o : Player().cellOffset) sane = sane && std::isfinite(o) && o >= 0.0f && o <= 1.0f;
    if (!sane) std::abort();
    // The next frame must run with whatever was loaded.
    RunFrame();
    return 0;
}
