// The random generator, the room templates and the dungeon plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "machine/random.h"
#include "core/startup.h"
#include "world/dungeon.h"
#include "world/templates.h"
#include "world/volume.h"

class Templates : public ::testing::Test {
protected:
    void SetUp() override { TemplateGrid = static_cast<int8_t*>(std::calloc(900, 1)); }
    void TearDown() override {
        std::free(TemplateGrid);
        TemplateGrid = nullptr;
    }
    // The decoded grid as rows of '.' and '#'.
    std::vector<std::string> Grid() const {
        std::vector<std::string> rows;
        for (int r = 0; r < TemplateH; ++r) {
            std::string row;
            for (int c = 0; c < TemplateW; ++c) row += TemplateGrid[r * 30 + c] ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(Templates, HeadersGiveTheFootprintInEveryOrientation) {
    ASSERT_EQ(RoomTemplateCount, 19);
    for (int i = 0; i < RoomTemplateCount; ++i) {
        const int w = RoomTemplates[i].header[2] - 96, h = RoomTemplates[i].header[3] - 96;
        for (int o = 0; o < 4; ++o) {
            TemplateSize(i, o);
            const bool turned = o == 1 || o == 2;
            EXPECT_EQ(std::pair(TemplateW, TemplateH), turned ? std::pair(h, w) : std::pair(w, h)) << i << " " << o;
        }
    }
}

// A World with fresh generator buffers, for running the generator alone.
class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        World = static_cast<uint8_t*>(std::calloc(VolumeSize, 1));
        AllocGeneratorBuffers();
    }
    void TearDown() override {
        FreeGeneratorBuffers();
        std::free(World);
        World = nullptr;
    }
    static int CountOnLayer(int z, uint8_t mark) {
        int n = 0;
        for (int i = 0; i < PlaneSize; ++i) n += World[z * PlaneSize + i] == mark;
        return n;
    }
    static int TemplateFloorCells(int index) {
        int n = 0;
        for (const char* p = RoomTemplates[index].rows; *p; ++p) n += *p == 'd';
        return n;
    }
};

TEST_F(Generator, GrowsATreeOfRoomsOnEveryLayer) {
    for (uint32_t seed : {1u, 77u, 4242u}) {
        std::memset(World, 0, VolumeSize);
        SRand(seed);
        GenerateDungeon(128, 128, 140, 9, 32, 400);
        for (int z = 140; z <= 148; ++z) {
            int first = LayerRoomStart[z], end = LayerRoomEnd[z];
            ASSERT_GT(end - first, 1) << "seed " << seed << " layer " << z;
            // Every room adds its own floor cells plus exactly one doorway, and
            // all open cells hang together: n rooms joined by n - 1 doorways form a tree.
            int expectedOpen = -1;
            for (int r = first; r < end; ++r) {
                EXPECT_EQ(RoomList[r].index, r);
                EXPECT_EQ(RoomList[r].layer, z);
                expectedOpen += TemplateFloorCells(RoomList[r].templateIndex) + 1;
            }
            // The rock square is exactly 33 x 33 around the centre and nothing lies outside it.
            EXPECT_EQ(CountOnLayer(z, 0), PlaneSize - 33 * 33);
            std::vector<int> openCells;
            for (int y = 112; y <= 144; ++y)
                for (int x = 112; x <= 144; ++x)
                    if (World[CellIndex(x, y, z)] != Rock) openCells.push_back(y * 256 + x);
            ASSERT_FALSE(openCells.empty());
            const uint8_t* layer = World + z * PlaneSize;
            std::vector<bool> seen(PlaneSize);
            std::vector<int> todo = {openCells[0]};
            seen[openCells[0]] = true;
            int reached = 0;
            while (!todo.empty()) {
                const int c = todo.back();
                todo.pop_back();
                ++reached;
                for (int n : {c + 1, c - 1, c + 256, c - 256})
                    if (!seen[n] && layer[n] != Rock && layer[n] != 0) seen[n] = true, todo.push_back(n);
            }
            const int open = static_cast<int>(openCells.size());
            EXPECT_EQ(open, expectedOpen) << "seed " << seed << " layer " << z;
            EXPECT_EQ(reached, open) << "seed " << seed << " layer " << z;
        }
        // The first level's central room is the full 5 x 5 square at the centre.
        EXPECT_EQ(RoomList[LayerRoomStart[140]].templateIndex, 13);
        EXPECT_EQ(RoomList[LayerRoomStart[140]].x, 126);
        EXPECT_EQ(RoomList[LayerRoomStart[140]].y, 126);
    }
}

TEST_F(Generator, StairsJoinNeighbouringLevelsAndFurnishingsOvershootByOne) {
    SRand(2024);
    GenerateDungeon(128, 128, 140, 9, 32, 400);
    EXPECT_EQ(CountOnLayer(140, StairFoot), 0);
    EXPECT_EQ(CountOnLayer(148, StairHead), 0);
    for (int z = 141; z <= 148; ++z) {
        int footOverHead = 0;
        for (int i = 0; i < PlaneSize; ++i) footOverHead += World[z * PlaneSize + i] == StairFoot && World[(z - 1) * PlaneSize + i] == StairHead;
        EXPECT_EQ(CountOnLayer(z, StairFoot), 2) << z;
        EXPECT_EQ(CountOnLayer(z - 1, StairHead), 2) << z;
        EXPECT_EQ(footOverHead, 2) << z;
    }
    // A layer of n rooms gets n / divisor + 1 of each furnishing, or none when that share is 0.
    const struct { uint8_t mark; int divisor; } furnishings[] = {
        {Chest, 25}, {Candelabrum, 5}, {Scroll, 40}, {Coffin, 25}, {Fountain, 60}, {Special, 1 << 30}};
    for (int z = 140; z <= 148; ++z)
        for (const auto& f : furnishings) {
            const int share = (LayerRoomEnd[z] - LayerRoomStart[z]) / f.divisor;
            EXPECT_EQ(CountOnLayer(z, f.mark), share > 0 ? share + 1 : 0) << "layer " << z << " mark " << int(f.mark);
        }
}

TEST_F(Generator, SecondRunStopsOnTheFirstLayer) {
    SRand(5);
    GenerateDungeon(128, 128, 140, 9, 32, 400);
    std::vector<uint8_t> before(World + 140 * PlaneSize, World + 149 * PlaneSize);
    GenerateDungeon(128, 128, 140, 9, 32, 400);
    EXPECT_EQ(roomCount, 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), World + 140 * PlaneSize));
}

TEST_F(Generator, StopsWithoutFurnishingWhenALaterLayerIsBlocked) {
    World[CellIndex(128, 128, 142)] = 9;   // the third layer's rock square cannot be laid
    SRand(3);
    GenerateDungeon(128, 128, 140, 9, 32, 400);
    EXPECT_GT(LayerRoomEnd[141] - LayerRoomStart[141], 1);
    for (int z = 140; z <= 141; ++z) {
        EXPECT_EQ(CountOnLayer(z, Candelabrum), 0);
        EXPECT_EQ(CountOnLayer(z, StairFoot), 0);
    }
    EXPECT_EQ(CountOnLayer(142, Rock), 0);
}
