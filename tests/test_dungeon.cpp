// The dungeon plan grown from the room templates (how many of each furnishing
// a layer gets, the generator's own table, is left to the world pins).
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "game_fixture.h"
#include "machine/random.h"
#include "world/dungeon.h"
#include "world/templates.h"

class Generator : public GameFixture {
protected:
    static int CountOnLayer(int z, uint8_t mark) { return static_cast<int>(std::count(World + z * PlaneSize, World + (z + 1) * PlaneSize, mark)); }
};

TEST_F(Generator, GrowsATreeOfRoomsOnEveryLayerJoinedByStairs) {
    for (uint32_t seed : {1u, 77u, 4242u}) {
        std::memset(World, 0, VolumeSize);
        SRand(seed);
        GenerateDungeon(128, 128, 140, 9, 32, 400);
        for (int z = 140; z <= 148; ++z) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " layer " << z);
            const int first = LayerRoomStart[z], end = LayerRoomEnd[z];
            ASSERT_GT(end - first, 1);
            // Every room adds its own floor cells plus exactly one doorway, and
            // all open cells hang together: n rooms joined by n - 1 doorways form a tree.
            int expectedOpen = -1;
            for (int r = first; r < end; ++r) {
                EXPECT_EQ(std::pair(RoomList[r].index, int(RoomList[r].layer)), std::pair(r, z));
                const char* rows = RoomTemplates[RoomList[r].templateIndex].rows;
                expectedOpen += static_cast<int>(std::count(rows, rows + std::strlen(rows), 'd')) + 1;
            }
            // The rock square is exactly 33 x 33 around the centre and nothing lies outside it.
            EXPECT_EQ(CountOnLayer(z, 0), PlaneSize - 33 * 33);
            EXPECT_EQ(CountOnLayer(z, 0) + CountOnLayer(z, Rock), PlaneSize - expectedOpen);
            // Flood the open cells from the first one.
            const uint8_t* layer = World + z * PlaneSize;
            int start = 0;
            while (layer[start] == 0 || layer[start] == Rock) ++start;
            std::vector<bool> seen(PlaneSize);
            std::vector<int> todo = {start};
            int reached = 0;
            while (!todo.empty()) {
                const int c = todo.back();
                todo.pop_back();
                if (seen[c] || layer[c] == Rock || layer[c] == 0) continue;
                seen[c] = true;
                ++reached;
                for (int n : {c + 1, c - 1, c + 256, c - 256}) todo.push_back(n);
            }
            EXPECT_EQ(reached, expectedOpen);
            // Two stair feet lie right over two stair heads of the level above; none leave the first or the last.
            int footOverHead = 0;
            for (int i = 0; z > 140 && i < PlaneSize; ++i) footOverHead += layer[i] == StairFoot && layer[i - PlaneSize] == StairHead;
            EXPECT_EQ(std::tuple(CountOnLayer(z, StairFoot), footOverHead), z > 140 ? std::tuple(2, 2) : std::tuple(0, 0));
            EXPECT_EQ(CountOnLayer(z, StairHead), z < 148 ? 2 : 0);
        }
        // The first level's central room is the full 5 x 5 square at the centre.
        const RoomRecord& centre = RoomList[LayerRoomStart[140]];
        EXPECT_EQ(std::tuple(int(centre.templateIndex), int(centre.x), int(centre.y)), std::tuple(13, 126, 126));
    }
}
