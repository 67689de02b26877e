// Start-up and teardown of the long-lived tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "console/console.h"
#include "core/game.h"
#include "core/startup.h"
#include "data/objects.h"
#include "data/pathfinder.h"
#include "data/tables.h"
#include "render/bitmap.h"
#include "world/dungeon.h"
#include "world/volume.h"

namespace {

// Runs start-up in an empty temporary folder (no pictures: every slot stays empty).
struct EmptyFolder {
    EmptyFolder() {
        old = std::filesystem::current_path();
        char pattern[] = "/tmp/dungeon-start-XXXXXX";
        folder = mkdtemp(pattern);
        std::filesystem::current_path(folder);
    }
    ~EmptyFolder() {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path old, folder;
};

}  // namespace

TEST(Startup, InitGameLeavesEverythingEmptyButThePlayersOffset) {
    EmptyFolder folder;
    SetOverlaySize(320, 240);
    InitGame();
    for (int i = 0; i < VolumeSize; i += 4093) {
        ASSERT_EQ(World[i], 0);
        ASSERT_EQ(Flagmap[i], 0);
    }
    for (int s = 0; s < ImageSlotCount; ++s) {
        const ImageSlot& slot = ImageTable[s];
        ASSERT_TRUE(slot.pixels == nullptr && slot.width == 0 && slot.height == 0 && slot.channels == 0) << s;
    }
    for (float o : Player().cellOffset) EXPECT_EQ(o, 0.5f);
    EXPECT_EQ(Player().stepCount, 0);
    EXPECT_EQ(OverlayWidth, 320);
    EXPECT_NE(RoomList, nullptr);
    EXPECT_NE(tokenSlots, nullptr);
    EXPECT_NE(SineTable, nullptr);

    ShutdownGame();
    EXPECT_EQ(World, nullptr);
    EXPECT_EQ(Flagmap, nullptr);
    EXPECT_EQ(ImageTable, nullptr);
    EXPECT_EQ(UnitTable, nullptr);
    EXPECT_EQ(ObjectTable, nullptr);
    EXPECT_EQ(pathWorkspace, nullptr);
    EXPECT_EQ(RoomList, nullptr);
    EXPECT_EQ(SineTable, nullptr);
    EXPECT_EQ(CosineTable, nullptr);
    EXPECT_EQ(tokenSlots, nullptr);
    EXPECT_EQ(OverlayBuffer, nullptr);
    ShutdownGame();   // a second teardown finds nothing left to release
}

TEST(Startup, MissingPictureFoldersCreateNoFiles) {
    EmptyFolder folder;
    SetOverlaySize(320, 240);
    InitGame();
    ShutdownGame();
    EXPECT_TRUE(std::filesystem::is_empty(folder.folder));
}

TEST(StartupDeathTest, RunningOutOfMemoryStopsWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int failing : {1, 3, 6, 12}) {
        EXPECT_EXIT(
            {
                EmptyFolder folder;
                SetOverlaySize(320, 240);
                FailAllocationAfter(failing);
                InitGame();
                std::exit(0);
            },
            ::testing::ExitedWithCode(1), "Out of memory: could not allocate [0-9]+ bytes for ")
            << failing;
    }
}
