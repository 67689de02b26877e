// The sight fill on its own: which cells count as seen around what the eye
// reaches, at the middle and at the ends of the box's rows; and which boxes
// count as in view.
#include <algorithm>

#include "game_fixture.h"
#include "render/sight.h"

namespace {

class Sight : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Rock();
    }
    // Solid rock everywhere, and no fill kept from before.
    static void Rock() {
        std::memset(WritableWorld(), 1, VolumeSize);
        ForgetSight();
    }
    static void Put(int x, int y, int z, uint8_t v) { WritableWorld()[CellIndex(x, y, z)] = v; }
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
    // An open cell walled in by rock: the eye reaches only its own cell. In
    // the middle, and at and next to the first and the last cell of the box's
    // rows, the cells one step around it count; the far ends of the rows
    // beside it do not.
    for (int x : {100, 1, 2, WorldSide - 3, WorldSide - 2}) {
        Rock();
        Put(x, 100, 20, 0);
        FillFrom(x, 100, 20, 3);
        for (int dz = -2; dz <= 2; ++dz)
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    const bool oneStep = std::abs(dx) <= 1 && std::abs(dy) <= 1 && std::abs(dz) <= 1;
                    EXPECT_EQ(CellSeen(x + dx, 100 + dy, 20 + dz), oneStep && x + dx >= 1 && x + dx <= WorldSide - 2)
                        << "eye at x = " << x << ": " << dx << "," << dy << "," << dz;
                }
    }
}

TEST_F(Sight, APanelOpensRockAcrossItsSidesButNotAcrossItsTopOrBottom) {
    // A corridor of open cells along x from the eye, walled in by rock.
    for (int x = 100; x <= 104; ++x) Put(x, 100, 20, 0);
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(104, 100, 20));
    EXPECT_TRUE(CellSeen(105, 101, 21)) << "one step from the corridor's end";
    EXPECT_FALSE(CellSeen(100, 104, 20)) << "rock is not seen into from an open cell";
    // A panel beside the corridor: rock draws no face toward its sides, so
    // lines go on into the rock behind it.
    Put(100, 101, 20, PanelCell);
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(100, 104, 20));
    // A panel under the eye with open cells around it: rock below it draws
    // its top face, so the rock further down stays unseen.
    Rock();
    Put(100, 100, 20, 0);
    for (int y = 99; y <= 101; ++y)
        for (int x = 99; x <= 101; ++x) Put(x, y, 21, 0);
    Put(100, 100, 21, PanelCell);
    FillFrom(100, 100, 20, 6);
    EXPECT_TRUE(CellSeen(100, 100, 22));
    EXPECT_FALSE(CellSeen(100, 100, 24));
}

TEST_F(Sight, ABoxARoundingsWidthOutsideAPlaneStillCountsAsInView) {
    // The plane x >= 10 and five that hold everything; boxes of one cell
    // reaching up to `hi` along x.
    ViewPlanes view = Everywhere();
    view.plane[0][0] = 1.0, view.plane[0][3] = -10.0;
    const struct { float hi; bool shows; } cases[] = {{10.5f, true}, {10.0f, true}, {9.995f, true}, {9.9f, false}};
    for (const auto& c : cases) {
        const float lo[3] = {c.hi - 1.0f, 0.0f, 0.0f}, hi[3] = {c.hi, 1.0f, 1.0f};
        EXPECT_EQ(BoxMayShow(view, lo, hi), c.shows) << "up to x = " << c.hi;
    }
}

}  // namespace
