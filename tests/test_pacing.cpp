// Frame pacing on the headless back end's virtual clock: swaps fall on a
// schedule one period apart whatever the frames' work, a late frame is made
// up by the next, a long stall restarts the schedule, 0 means no limit, and
// a display that the swaps wait for sets the beat without skipped refreshes.
#include <GL/gl.h>

#include <vector>

#include "core/pacing.h"
#include "game_fixture.h"

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

TEST_F(Pacing, EachFrameEndsWhereTheScheduleSays) {
    constexpr int64_t Period = 16666666, Period144 = 6944444;   // at 60 and 144 frames a second
    // Each frame's work after a first frame that starts the schedule, and
    // where each frame ends, counted from the end of the first.
    const struct {
        const char* why;
        int rate;
        std::vector<int64_t> work, ends;
    } cases[] = {
        {"frames end one period apart whatever their work", 144, {0, Period144 / 3, Period144 - 1, 1},
         {Period144, 2 * Period144, 3 * Period144, 4 * Period144}},
        {"a late frame is made up by the next", 60, {20 * Ms, 1 * Ms}, {20 * Ms, 2 * Period}},
        // No burst of unwaited frames to catch up: the next frame waits a whole period.
        {"a stall of a period and more starts the schedule afresh", 60, {Period * 5 / 2, 0, 0},
         {Period * 5 / 2, Period * 7 / 2, Period * 9 / 2}},
        {"0 means no limit: no frame waits", 0, {1 * Ms, 1 * Ms, 0}, {1 * Ms, 2 * Ms, 2 * Ms}},
    };
    for (const auto& c : cases) {
        FrameRateLimit = c.rate;
        ResetPacing();
        Frame(0);
        const int64_t start = PlatformClockNs();
        std::vector<int64_t> ends;
        for (int64_t work : c.work) {
            Frame(work);
            ends.push_back(PlatformClockNs() - start);
        }
        EXPECT_EQ(ends, c.ends) << c.why;
    }
}

TEST_F(Pacing, ADisplayThatTheSwapsWaitForSetsTheBeat) {
    ASSERT_EQ(PlatformOpenWindow("GAME", 32, 24), WindowFailure::None);
    // Refresh periods the 60 frames-a-second limit fits within 3%: a display
    // a little faster, one a little slower, two refreshes a frame exactly and
    // a little slower; and one 4% faster, which sets no beat (interval 0):
    // the limit holds on average, refreshes skipped where it must.
    const struct { int64_t refresh, interval; } cases[] = {
        {16650000, 16650000}, {16683333, 16683333}, {8333333, 16666666}, {8341667, 16683334}, {16000000, 0},
    };
    for (const auto& c : cases) {
        HeadlessSetSwapRefreshNs(c.refresh);
        ResetPacing();
        Frame(0);
        const int64_t start = PlatformClockNs();
        int64_t last = start;
        // Long enough for the display to drift a whole refresh against the limit's own clock.
        for (int frame = 1; frame <= 1500; ++frame) {
            Frame((frame * 7 % 13) * Ms);   // 0..12 ms of work
            if (c.interval) {
                ASSERT_EQ(PlatformClockNs() - last, c.interval) << "refresh " << c.refresh << ", frame " << frame;
            }
            last = PlatformClockNs();
        }
        // Without a beat each swap falls at most a refresh after its deadline.
        if (!c.interval) {
            EXPECT_GE(last - start, 1500 * int64_t{16666666} - c.refresh) << "refresh " << c.refresh;
        }
    }
}

class PacedFrame : public GameFixture {};

TEST_F(PacedFrame, TheWaitFallsBetweenTheFinishedPictureAndItsSwap) {
    FrameRateLimit = 60;
    std::vector<int> swapsAtPause;
    Bytes drawnAtPause(640 * 480 * 4);
    HeadlessOnPause([&](int) {
        swapsAtPause.push_back(HeadlessSwapCount());
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, drawnAtPause.data());
    });
    RunFrame();   // starts the schedule
    RunFrame();   // takes no time on the virtual clock: waits most of a period
    HeadlessOnPause({});
    // The second frame waited before its own swap, not after it, with its picture already finished.
    EXPECT_EQ(swapsAtPause, std::vector<int>{1});
    EXPECT_EQ(HeadlessSwapCount(), 2);
    EXPECT_TRUE(drawnAtPause == HeadlessFrontPixels()) << "the picture shown is not the one finished before the wait";
}

}  // namespace
