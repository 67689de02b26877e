// The sight fill on its own: which cells count as seen around what the eye
// reaches, at the middle and at the ends of the box's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "render/sight.h"
#include "world/volume.h"

namespace {

class Sight : public ::testing::Test {
protected:
    void SetUp() override {
        World = static_cast<uint8_t*>(std::malloc(VolumeSize));
        std::memset(WritableWorld(), 1, VolumeSize);   // solid rock everywhere
        ForgetSight();
    }
    void TearDown() override {
        std::free(World);
        World = nullptr;
    }
    // A view volume that holds everything.
    static ViewPlanes Everywhere() {
        ViewPlanes view{};
        for (auto& plane : view.plane) plane[3] = 1.0;
        return view;
    }
    // Fills the box of cells within `reach` of (x, y, z), cut to the volume's
    // inside, from the eye at that cell's centre.
    static void FillFrom(int x, int y, int z, int reach) {
        const int c[3] = {x, y, z}, last[3] = {WorldSide - 2, WorldSide - 2, WorldLayers - 2};
        int lo[3], hi[3];
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::max(1, c[a] - reach);
            hi[a] = std::min(last[a], c[a] + reach);
        }
        const float eye[3] = {float(x), float(y), float(z)};
        ASSERT_TRUE(FillSight(lo, hi, eye, Everywhere()));
    }
};

TEST_F(Sight, AClosedCellCountsItselfAndTheCellsOneStepAroundIt) {
    // An open cell walled in by rock: the eye reaches only its own cell.
    WritableWorld()[CellIndex(100, 100, 20)] = 0;
    FillFrom(100, 100, 20, 5);
    for (int dz = -2; dz <= 2; ++dz)
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const bool oneStep = std::abs(dx) <= 1 && std::abs(dy) <= 1 && std::abs(dz) <= 1;
                EXPECT_EQ(CellSeen(100 + dx, 100 + dy, 20 + dz), oneStep) << dx << "," << dy << "," << dz;
            }
}

TEST_F(Sight, TheStepsStopAtTheEndsOfTheBoxRows) {
    // The eye at the first and at the last cell of its row: the cells one
    // step around it count, the far end of the rows beside it does not.
    for (int x : {1, WorldSide - 2}) {
        SCOPED_TRACE(x);
        std::memset(WritableWorld(), 1, VolumeSize);
        WritableWorld()[CellIndex(x, 100, 20)] = 0;
        FillFrom(x, 100, 20, 3);
        const int inward = x == 1 ? 1 : -1, far = x == 1 ? 4 : WorldSide - 5;
        EXPECT_TRUE(CellSeen(x + inward, 101, 21));
        EXPECT_FALSE(CellSeen(x + 2 * inward, 100, 20));
        for (int dy = -1; dy <= 1; ++dy) EXPECT_FALSE(CellSeen(far, 100 + dy, 20)) << dy;
    }
}

TEST_F(Sight, APanelOpensRockAcrossItsSidesButNotAcrossItsTopOrBottom) {
    // A corridor of open cells along x from the eye, walled in by rock.
    for (int x = 100; x <= 104; ++x) WritableWorld()[CellIndex(x, 100, 20)] = 0;
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(104, 100, 20));
    EXPECT_TRUE(CellSeen(105, 101, 21)) << "one step from the corridor's end";
    EXPECT_FALSE(CellSeen(100, 104, 20)) << "rock is not seen into from an open cell";

    // A panel beside the corridor: rock draws no face toward its sides, so
    // lines go on into the rock behind it.
    WritableWorld()[CellIndex(100, 101, 20)] = PanelCell;
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(100, 104, 20));

    // A panel under the eye with open cells around it: rock below it draws
    // its top face, so the rock further down stays unseen.
    std::memset(WritableWorld(), 1, VolumeSize);
    WritableWorld()[CellIndex(100, 100, 20)] = 0;
    for (int y = 99; y <= 101; ++y)
        for (int x = 99; x <= 101; ++x) WritableWorld()[CellIndex(x, y, 21)] = 0;
    WritableWorld()[CellIndex(100, 100, 21)] = PanelCell;
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(100, 100, 22));
    EXPECT_FALSE(CellSeen(100, 100, 24));
}

}  // namespace
