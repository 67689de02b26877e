// The start-up lookup tables and the pathfinder workspace.
#include "machine/memory.h"
#include "data/pathfinder.h"
#include "data/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <vector>

namespace {

// The plain serial formula for entry i, with the factor written out here so
// that a slip in the game's constant shows: float counter, times the factor,
// then / 1000 in double; separate sin and cos rounded to float.
double Angle(int i) { return static_cast<double>(static_cast<float>(i)) * 0.017453292516666667 / 1000.0; }
bool SameBits(float a, double b) {
    const float f = static_cast<float>(b);
    return std::memcmp(&a, &f, sizeof a) == 0;
}

}  // namespace

// Each test finds the trig tables built (rebuilt if an earlier test released them).
class TrigTables : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ReleaseTrigTables(); }
    static void TearDownTestSuite() { ReleaseTrigTables(); }
    void SetUp() override {
        BuildTrigTables();
        ASSERT_TRUE(SineTable && CosineTable);
    }
};

TEST_F(TrigTables, EntriesMatchTheSerialFormulaBitForBit) {
    ASSERT_EQ(TrigTableSize, 3600000);   // 3599.999 degrees, ten turns less a thousandth of a degree
    // The right angle: pi cut after nine decimals puts it just short of pi / 2.
    EXPECT_EQ(SineTable[90000], 1.0f);
    EXPECT_GT(CosineTable[90000], 2.9e-10f);
    EXPECT_LT(CosineTable[90000], 3.0e-10f);
    EXPECT_NEAR(SineTable[TrigTableSize - 1], -0.001 * M_PI / 180.0, 1e-7);

    std::vector<int> indices = {90000, TrigTableSize - 1};
    for (int i = 0; i < TrigTableSize; i += 1237) indices.push_back(i);   // ~2900 spread entries
    for (int parts = 2; parts <= 4; ++parts)                               // every possible thread boundary
        for (int p = 1; p <= parts; ++p)
            for (int d = -2; d <= 1; ++d) indices.push_back(std::min(TrigPartStart(p, parts) + d, TrigTableSize - 1));
    int mismatches = 0;
    for (int i : indices)
        if (!SameBits(SineTable[i], std::sin(Angle(i))) || !SameBits(CosineTable[i], std::cos(Angle(i))))
            if (++mismatches <= 10) ADD_FAILURE() << "entry " << i;
    EXPECT_EQ(mismatches, 0);
}

TEST_F(TrigTables, SecondBuildLeavesTablesAloneAndReleaseEmpties) {
    float* sine = SineTable;
    float* cosine = CosineTable;
    const float saved = SineTable[12345];
    SineTable[12345] = 42.0f;   // a rebuild would overwrite this
    BuildTrigTables();
    EXPECT_TRUE(SineTable == sine && CosineTable == cosine);
    EXPECT_EQ(SineTable[12345], 42.0f);
    SineTable[12345] = saved;

    ReleaseTrigTables();
    EXPECT_TRUE(SineTable == nullptr && CosineTable == nullptr);
    ReleaseTrigTables();   // nothing left: harmless
}

// The workspace as start-up makes it: allocated, then created.
class PathWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReleasePathWorkspace();
        pathWorkspace = static_cast<PathWorkspace*>(AllocOrQuit(sizeof(PathWorkspace), false, "PathWorkspace"));
        std::memset(pathWorkspace, 0xCD, sizeof(PathWorkspace));   // creation must not rely on a clean object
        CreatePathWorkspace(pathWorkspace);
    }
    void TearDown() override { ReleasePathWorkspace(); }
};

TEST_F(PathWorkspaceTest, CreatedState) {
    PathWorkspace& ws = *pathWorkspace;
    EXPECT_EQ(ws.firstDirection, 0);
    EXPECT_EQ(ws.searching, 0);
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 8; ++i) {
        const int dx = ws.dirX[i], dy = ws.dirY[i];
        EXPECT_TRUE(std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx || dy)) << i;
        seen.insert({dx, dy});
        // Entry i points at i * 45 degrees, measured from +y turning towards +x.
        EXPECT_NEAR(std::fmod(std::atan2(dx, dy) * 180.0 / M_PI + 360.0, 360.0), i * 45.0, 1e-9) << i;
        EXPECT_EQ(ws.dirCost[i], i % 2 == 0 ? 1.0f : 1.4142f) << i;   // the decimal 1.4142, not sqrt 2
    }
    EXPECT_EQ(seen.size(), 8u);
    for (int u = 0; u < PathUnitCount; ++u) {
        ASSERT_EQ(ws.pathLast[u], -9) << u;
        ASSERT_EQ(ws.pathWord[u], 0u) << u;
    }
}

TEST_F(PathWorkspaceTest, OtherOrdersKeepTheTableAndReleaseNulls) {
    int32_t dirX[8];
    std::memcpy(dirX, pathWorkspace->dirX, sizeof dirX);
    SetDirectionOrder(pathWorkspace, 3);
    EXPECT_EQ(pathWorkspace->firstDirection, 3);
    EXPECT_EQ(std::memcmp(dirX, pathWorkspace->dirX, sizeof dirX), 0);

    ReleasePathWorkspace();
    EXPECT_EQ(pathWorkspace, nullptr);
    ReleasePathWorkspace();   // nothing left: harmless
    // A workspace whose creation never got to allocate an array.
    pathWorkspace = static_cast<PathWorkspace*>(AllocOrQuit(sizeof(PathWorkspace), true, "PathWorkspace"));
    ReleasePathWorkspace();
    EXPECT_EQ(pathWorkspace, nullptr);
}
