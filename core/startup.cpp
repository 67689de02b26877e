// The program's long-lived memory: every table is allocated here once, at a
// fixed size, and released here at exit.
#include "core/startup.h"

#include <cstdlib>

#include "console/console.h"
#include "data/catalogue.h"
#include "data/objects.h"
#include "data/pathfinder.h"
#include "data/tables.h"
#include "machine/memory.h"
#include "render/asset_sets.h"
#include "render/bitmap.h"
#include "render/overlay.h"
#include "world/dungeon.h"
#include "world/run_state.h"
#include "world/savegame.h"
#include "world/templates.h"
#include "world/volume.h"

template <typename T>
static void Release(T*& p) {
    std::free(p);
    p = nullptr;
}

void AllocGeneratorBuffers() {
    LayerRoomStart = static_cast<int32_t*>(AllocOrQuit((WorldLayers + 1) * sizeof(int32_t), false, "the layer room index"));
    LayerRoomEnd = static_cast<int32_t*>(AllocOrQuit((WorldLayers + 1) * sizeof(int32_t), false, "the layer room index"));
    TemplateGrid = static_cast<int8_t*>(AllocOrQuit(TemplateGridSide * TemplateGridSide, false, "the template grid"));
    RoomList = static_cast<RoomRecord*>(AllocOrQuit(sizeof(RoomRecord) * RoomListCapacity, false, "the room list"));
}

void FreeGeneratorBuffers() {
    Release(LayerRoomStart);
    Release(LayerRoomEnd);
    Release(TemplateGrid);
    Release(RoomList);
}

void InitGame() {
    // Running out of memory part-way releases whatever was made before the program stops.
    SetOutOfMemoryTeardown(ShutdownGame);
    SetOverlaySize(OverlayWidth, OverlayHeight);
    World = static_cast<uint8_t*>(AllocOrQuit(VolumeSize, true, "the world volume"));
    Flagmap = static_cast<uint8_t*>(AllocOrQuit(VolumeSize, true, "the marker volume"));
    ImageTable = static_cast<ImageSlot*>(AllocOrQuit(sizeof(ImageSlot) * ImageSlotCount, true, "the image table"));
    UnitTable = static_cast<UnitRecord*>(AllocOrQuit(sizeof(UnitRecord) * UnitCount, true, "the unit table"));
    LoadBackup = static_cast<uint8_t*>(AllocOrQuit(2 * static_cast<size_t>(VolumeSize) + sizeof(UnitRecord) * UnitCount, false, "the load backup"));
    ObjectTable = static_cast<ObjectRecord*>(AllocOrQuit(sizeof(ObjectRecord) * objectCapacity, true, "the object table"));
    pathWorkspace = static_cast<PathWorkspace*>(AllocOrQuit(sizeof(PathWorkspace), true, "the path workspace"));
    CreatePathWorkspace(pathWorkspace);

    // The pictures come before the window: its context makes the cube textures from them.
    LoadCrossSet();
    LoadUnitSet();
    LoadLandSet();
    LoadDungeonSet();
    LoadStructureSet();
    LoadItemSet();
    LoadIntroSet();
    LoadCubeSet();

    BuildTuningTables();
    AllocGeneratorBuffers();
    BuildTrigTables();
    InitConsole();
    BuildObjectCatalogue();
    PlaceStartObjects();
    for (float& offset : Player().cellOffset) offset = 0.5f;
}

void ShutdownGame() {
    ReleaseOverlay();
    Release(World);
    Release(Flagmap);
    if (ImageTable) ReleaseImages();
    Release(ImageTable);
    Release(UnitTable);
    Release(LoadBackup);
    Release(ObjectTable);
    ReleasePathWorkspace();
    FreeGeneratorBuffers();
    ReleaseTrigTables();
    ReleaseConsole();
}
