// Frame pacing on the headless back end's virtual clock: swaps fall on a
// schedule one period apart whatever the frames' work, a late frame is made
// up by the next, a long stall restarts the schedule, 0 means no limit, and
// a display that the swaps wait for sets the beat without skipped refreshes.
#include <vector>

#include "core/pacing.h"
#include "game_fixture.h"
#include "test_util.h"

namespace {

class Pacing : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ResetPacing();
    }
    void TearDown() override {
        FrameRateLimit = DefaultFrameRate;
        ResetPacing();
        HeadlessTest::TearDown();
    }
    // A frame that works `workNs` on the clock and then swaps on the beat.
    static void Frame(int64_t workNs) {
        HeadlessAdvanceClockNs(workNs);
        PaceAndSwap(PlatformSwapBuffers);
    }
};

constexpr int64_t Ms = 1000000;

TEST_F(Pacing, FramesEndOnePeriodApartWhateverTheirWork) {
    for (int rate : {30, 60, 144, 240}) {
        SCOPED_TRACE(rate);
        FrameRateLimit = rate;
        ResetPacing();
        const int64_t period = 1000000000 / rate;
        Frame(0);   // starts the schedule
        const int64_t start = PlatformClockNs();
        // Work of every length below the period, including none.
        const int64_t work[] = {0, period / 3, period - 1, period / 2, 1};
        for (int frame = 1; frame <= 200; ++frame) {
            Frame(work[frame % 5]);
            ASSERT_EQ(PlatformClockNs() - start, frame * period) << "frame " << frame;
        }
    }
}

TEST_F(Pacing, SleepsMostOfTheWaitThenFinishesFinely) {
    Frame(0);
    HeadlessPauses().clear();
    const int64_t start = PlatformClockNs();
    Frame(5 * Ms);
    // 16.67 ms a frame at 60: 11.67 ms left, one 9 ms sleep, the last 2.67 ms in fine sleeps.
    EXPECT_EQ(HeadlessPauses(), std::vector<int>{9});
    EXPECT_EQ(PlatformClockNs() - start, 16666666);
    // With under 3 ms left there is no millisecond sleep at all.
    HeadlessPauses().clear();
    Frame(16666666 - 2 * Ms);
    EXPECT_TRUE(HeadlessPauses().empty());
    EXPECT_EQ(PlatformClockNs() - start, 2 * 16666666);
}

TEST_F(Pacing, ALateFrameIsMadeUpByTheNext) {
    Frame(0);
    const int64_t start = PlatformClockNs();
    Frame(20 * Ms);   // 3.3 ms late: no wait
    EXPECT_EQ(PlatformClockNs() - start, 20 * Ms);
    Frame(1 * Ms);    // ends where the schedule says, two periods in
    EXPECT_EQ(PlatformClockNs() - start, 2 * 16666666);
}

TEST_F(Pacing, ALongStallStartsTheScheduleAfresh) {
    Frame(0);
    PlatformSleep(300);   // a key pause
    Frame(0);
    const int64_t after = PlatformClockNs();
    // No burst of unwaited frames to catch up on the 300 ms: the next frame waits a whole period.
    Frame(0);
    EXPECT_EQ(PlatformClockNs() - after, 16666666);
}

TEST_F(Pacing, NoLimitNeverWaits) {
    FrameRateLimit = 0;
    for (int frame = 0; frame < 10; ++frame) Frame(1 * Ms);
    EXPECT_EQ(PlatformClockNs(), 10 * Ms);
    EXPECT_TRUE(HeadlessPauses().empty());
}

TEST_F(Pacing, ADisplayThatTheSwapsWaitForSetsTheBeat) {
    ASSERT_EQ(PlatformOpenWindow("GAME", 32, 24), WindowFailure::None);
    // Refresh periods the 60 frames-a-second limit fits: a display a little
    // faster, one a little slower, and one with two refreshes a frame.
    const struct { int64_t refresh, interval; } cases[] = {
        {16650000, 16650000}, {16683333, 16683333}, {8333333, 16666666},
    };
    for (const auto& c : cases) {
        HeadlessSetSwapRefreshNs(c.refresh);
        ResetPacing();
        Frame(0);
        int64_t last = PlatformClockNs();
        // Long enough for the display to drift a whole refresh against the limit's own clock.
        for (int frame = 1; frame <= 1500; ++frame) {
            Frame((frame * 7 % 13) * Ms);   // 0..12 ms of work
            ASSERT_EQ(PlatformClockNs() - last, c.interval) << "refresh " << c.refresh << ", frame " << frame;
            last = PlatformClockNs();
        }
    }
}

TEST_F(Pacing, AllowedRates) {
    const struct { long rate; bool valid; } cases[] = {
        {0, true}, {30, true}, {60, true}, {240, true}, {29, false}, {241, false}, {-1, false}, {1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(ValidFrameRate(c.rate), c.valid) << c.rate;
}

class PacedFrame : public GameFixture {};

TEST_F(PacedFrame, TheWaitFallsBetweenTheFinishedPictureAndItsSwap) {
    FrameRateLimit = 60;
    std::vector<int> swapsAtPause;
    HeadlessOnPause([&](int) { swapsAtPause.push_back(HeadlessSwapCount()); });
    RunFrame();   // starts the schedule
    RunFrame();   // takes no time on the virtual clock: waits most of a period
    HeadlessOnPause({});
    // The second frame waited before its own swap, not after it.
    EXPECT_EQ(swapsAtPause, std::vector<int>{1});
    EXPECT_EQ(HeadlessSwapCount(), 2);
}

}  // namespace
