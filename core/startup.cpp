// The program's long-lived memory: every table is allocated here once, at a
// fixed size, and released here at exit.
#include "core/startup.h"

#include <cstdio>
#include <cstdlib>

#include "console/console.h"
#include "core/game.h"
#include "data/catalogue.h"
#include "data/objects.h"
#include "data/pathfinder.h"
#include "data/tables.h"
#include "render/asset_sets.h"
#include "render/bitmap.h"
#include "world/dungeon.h"
#include "world/templates.h"
#include "world/volume.h"

int OverlayWidth = 0;
int OverlayHeight = 0;
uint8_t* OverlayBuffer = nullptr;
uint8_t* ReadbackBuffer = nullptr;
uint8_t* LoadBackup = nullptr;

static int allocationsUntilFailure = 0;   // test hook: > 0 counts down to a refused allocation

void FailAllocationAfter(int count) { allocationsUntilFailure = count; }

void* AllocOrQuit(size_t bytes, bool zeroFill, const char* what) {
    bool refused = allocationsUntilFailure > 0 && --allocationsUntilFailure == 0;
    void* p = refused ? nullptr : (zeroFill ? std::calloc(bytes, 1) : std::malloc(bytes));
    if (p) return p;
    std::fprintf(stderr, "Out of memory: could not allocate %zu bytes for %s.\n", bytes, what);
    ShutdownGame();
    std::exit(1);
}

template <typename T>
static void Release(T*& p) {
    std::free(p);
    p = nullptr;
}

void SetOverlaySize(int width, int height) {
    OverlayWidth = width;
    OverlayHeight = height;
    Release(OverlayBuffer);
    Release(ReadbackBuffer);
    size_t bytes = static_cast<size_t>(width) * height * 4;
    OverlayBuffer = static_cast<uint8_t*>(AllocOrQuit(bytes, false, "the overlay picture"));
    // The renderer always reads back the whole 320 x 240 view, whatever the overlay's size.
    ReadbackBuffer = static_cast<uint8_t*>(AllocOrQuit(static_cast<size_t>(ReadbackWidth) * ReadbackHeight * 3, false, "the read-back picture"));
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
    Release(OverlayBuffer);
    Release(ReadbackBuffer);
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
