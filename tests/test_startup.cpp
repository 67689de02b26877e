// Start-up and teardown of the long-lived tables.
#include "console/console.h"
#include "core/game.h"
#include "data/objects.h"
#include "data/pathfinder.h"
#include "data/tables.h"
#include "machine/memory.h"
#include "test_util.h"
#include "world/dungeon.h"
#include "world/volume.h"

// Start-up in an empty folder: no pictures, so every slot stays empty.
TEST(Startup, InitGameInAnEmptyFolderLoadsNoPictureAndCreatesNoFiles) {
    TempFolder folder;
    SetOverlaySize(320, 240);
    InitGame();
    for (int s = 0; s < ImageSlotCount; ++s) ASSERT_TRUE(SlotPixels(s).empty() && ImageTable[s].width == 0) << s;
    for (float o : Player().cellOffset) EXPECT_EQ(o, 0.5f);

    ShutdownGame();
    const void* released[] = {World, Flagmap, ImageTable, UnitTable, ObjectTable, pathWorkspace,
                              RoomList, SineTable, CosineTable, tokenSlots, OverlayBuffer};
    for (size_t i = 0; i < std::size(released); ++i) EXPECT_EQ(released[i], nullptr) << "table " << i;
    ShutdownGame();   // a second teardown finds nothing left to release
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

TEST(StartupDeathTest, RunningOutOfMemoryStopsWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int failing : {1, 3, 6, 12}) {
        EXPECT_EXIT(
            {
                TempFolder folder;
                SetOverlaySize(320, 240);
                FailAllocationAfter(failing);
                InitGame();
                std::exit(0);
            },
            ::testing::ExitedWithCode(1), "Out of memory: could not allocate [0-9]+ bytes for ")
            << failing;
    }
}
